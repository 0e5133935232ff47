#include "ui/userguide.h"

#include "ui/widgethelpers.h"

#include <QImageReader>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace corvane::ui {

namespace {

const QUrl kGuide(QStringLiteral("qrc:/guide/userguide.md"));
constexpr int kPictureWidth = 640;

// The screenshots are as wide as the window they show: each is drawn at most kPictureWidth wide.
void FitPictures(QTextDocument* document) {
    QList<QPair<QTextFragment, QTextImageFormat>> pictures;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (const QTextFragment fragment = it.fragment(); fragment.charFormat().isImageFormat())
                pictures.append({fragment, fragment.charFormat().toImageFormat()});
    for (auto& [fragment, format] : pictures) {
        const QUrl url = kGuide.resolved(QUrl(format.name()));
        const int width = QImageReader(QLatin1Char(':') + url.path()).size().width();
        if (width <= kPictureWidth) continue;
        format.setWidth(kPictureWidth);
        QTextCursor cursor(document);
        cursor.setPosition(fragment.position());
        cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

} // namespace

UserGuideWindow::UserGuideWindow(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("guideFrm"));
    setWindowTitle(QStringLiteral("Corvane User Guide"));
    m_browser = Named(new QTextBrowser(this), "guideTxt");
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(kGuide, QTextDocument::MarkdownResource);
    FitPictures(m_browser->document());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    resize(kPictureWidth + 120, 720);
}

} // namespace corvane::ui
