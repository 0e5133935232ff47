#pragma once
// Lists whose cells may be cut short in a narrow column (a route, an aircraft title, a message of the
// traffic check): hovering such a cell shows its whole text in a tooltip.

class QAbstractItemView;

namespace corvane::ui {

// Gives view a delegate that draws as the default one and shows the text of a cell that does not fit.
void ShowCutTextInTooltips(QAbstractItemView* view);

} // namespace corvane::ui
