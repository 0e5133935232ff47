// The window as a desktop program: search fields, keys, what it remembers, projects from outside,
// its size on the screen, and the About box.

#include "editors/recentprojects.h"
#include "mainwindowfixture.h"

#include <QComboBox>
#include <QDockWidget>
#include <QDropEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolTip>
#include <QTreeView>
#include <QUrl>
#include <functional>

using namespace corvane;
using test::MainWindowFixture;

namespace {

QStringList Column(QTreeView* list, int column = 0) {
    QStringList cells;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        cells << list->model()->index(row, column).data().toString();
    return cells;
}

// A project of two flights written by Corvane itself.
std::string WriteProject(MainWindowFixture& f, const char* name) {
    Session& session = f.window->session();
    session.db.flightTable().append(
        "AC#1,N1,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,ESSA,10:00:00,11:00:00,100,F,2,ENGM,");
    session.db.flightTable().append(
        "AC#1,N2,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,EKCH,10:00:00,11:00:00,100,F,2,KSEA,");
    const std::string path = f.dir.file(name);
    f.prompts.expectFile(path);
    f.trigger("fileCap5");
    return path;
}

} // namespace

TEST(Desktop, theAirportSearchNarrowsTheListAndCounts) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    window.show();
    f.find<QTabBar>("TB")->setCurrentIndex(1);
    auto* search = f.find<QLineEdit>("aptSearchTxt");
    auto* list = f.find<QTreeView>("aptLST");
    EXPECT_EQ(f.find<QLabel>("aptCountLbl")->text(), QStringLiteral("6 of 6 airports"));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(search->hasFocus()) << "Ctrl+F goes to the search";
    // What matches is the editor tests'; here the list, the fields and the count follow the typing.
    QTest::keyClicks(search, QStringLiteral("nOr"));
    EXPECT_EQ(Column(list),
              (QStringList{QStringLiteral("BGO"), QStringLiteral("ENBR"), QStringLiteral("ENGM")}));
    EXPECT_EQ(f.find<QLabel>("aptCountLbl")->text(), QStringLiteral("3 of 6 airports"));
    search->clear();
    QTest::keyClicks(search, QStringLiteral("sweden"));
    EXPECT_EQ(f.find<QLineEdit>("aptIcaoTxt")->text(), QStringLiteral("ESSA")) << "the first found is shown";
    EXPECT_EQ(list->currentIndex().row(), 0);
    search->clear();
    emit search->textEdited(QString());
    EXPECT_EQ(list->model()->rowCount(), 6);

    // A search keeps the order a header click chose (elevations, by value; the sorting is the editor
    // tests', the header's wiring AirportsPage's).
    list->header()->sectionClicked(3);
    QTest::keyClicks(search, QStringLiteral("airport"));
    EXPECT_EQ(Column(list),
              (QStringList{QStringLiteral("EKCH"), QStringLiteral("ESSA"), QStringLiteral("ENBR"),
                           QStringLiteral("KSEA"), QStringLiteral("ENGM")}));
    // Esc empties the search.
    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_EQ(search->text(), QString());
    EXPECT_EQ(list->model()->rowCount(), 6);
    EXPECT_EQ(f.find<QLabel>("aptCountLbl")->text(), QStringLiteral("6 of 6 airports"));
}

TEST(Desktop, theFlightSearchFindsAndOpensAFlight) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    WriteProject(f, "Two.cvp");
    auto* search = f.find<QLineEdit>("flightSearchTxt");
    auto* matches = f.find<QTreeView>("flightSearchLst");
    QTest::keyClicks(search, QStringLiteral("n2"));
    ASSERT_EQ(matches->model()->rowCount(), 1);
    EXPECT_EQ(Column(matches, 0), QStringList{QStringLiteral("KSEA-EKCH")});
    EXPECT_EQ(f.find<QLabel>("flightSearchLbl")->text(), QStringLiteral("1 flight found"));
    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_EQ(search->text(), QString()) << "Esc empties the search";
    EXPECT_FALSE(matches->isVisibleTo(&window));
    QTest::keyClicks(search, QStringLiteral("boeing"));
    EXPECT_EQ(f.find<QLabel>("flightSearchLbl")->text(), QStringLiteral("2 flights found"));

    // A cell cut short by a narrow column shows its whole text when hovered.
    matches->setColumnWidth(2, 40);
    const QPoint at = matches->visualRect(matches->model()->index(0, 2)).center();
    QHelpEvent help(QEvent::ToolTip, at, matches->viewport()->mapToGlobal(at));
    QApplication::sendEvent(matches->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Boeing 737-400"));
    search->clear();
    QTest::keyClicks(search, QStringLiteral("ekch"));
    ASSERT_EQ(matches->model()->rowCount(), 1) << "by airport";
    matches->clicked(matches->model()->index(0, 0));
    EXPECT_EQ(window.flightEditor().infoLbl(), "Flights at KSEA") << "the flight's home airport is listed";
    EXPECT_EQ(window.flightEditor().CurrentFlightIndex(), 1);
    EXPECT_EQ(f.find<QLineEdit>("tailTxt")->text(), QStringLiteral("N2"));
}

TEST(Desktop, keysTurnThePages) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* tabs = f.find<QTabBar>("TB");
    QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    QTest::keyClick(&window, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 2);
    QTest::keyClick(&window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    QTest::keyClick(&window, Qt::Key_PageUp, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 3) << "from the first page back to the last";
    // Ctrl+Shift+Tab as the platforms report it: Tab with Shift (Windows), Backtab without it.
    QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), 2);
    QTest::keyClick(&window, Qt::Key_Backtab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    // From a text field and a list too.
    auto* search = f.find<QLineEdit>("aptSearchTxt");
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    auto* flights = f.find<QTreeView>("flightsLst");
    flights->setFocus();
    QTest::keyClick(flights, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
}

TEST(Desktop, recentProjectsReopenAndForgetWhatIsGone) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    const std::string path = WriteProject(f, "Recent.cvp");
    EXPECT_EQ(window.recentProjects().paths(), std::vector<std::string>{path});
    f.trigger("fileCap0"); // New: nothing unsaved
    ASSERT_TRUE(window.session().db.flightTable().isEmpty());

    auto* recent = f.find<QMenu>("recentCap");
    emit recent->aboutToShow();
    f.trigger("recentCap0");
    EXPECT_EQ(window.session().state.projectTag, path);
    EXPECT_EQ(window.session().db.flightTable().count(), 2);

    // A file that is not a project is refused: the open data, the caption and the list stay as they were.
    const std::string notProject = f.dir.write("Notes.cvp", "Hello\r\nWorld\r\n");
    const QString caption = test::ShownTitle(window);
    f.prompts.expectFile(notProject).expect("Error reading file"); // the data stay: the project commands'
    f.trigger("fileCap1");
    EXPECT_EQ(test::ShownTitle(window), caption);
    EXPECT_EQ(window.recentProjects().paths(), std::vector<std::string>{path});

    // Gone from the disk: said so, and off the list.
    f.trigger("fileCap0");
    std::filesystem::remove(path);
    emit recent->aboutToShow();
    f.prompts.expect("Recent Projects");
    f.trigger("recentCap0");
    EXPECT_NE(f.prompts.shown().back().text.find("no longer there"), std::string::npos);
    EXPECT_TRUE(window.recentProjects().paths().empty());
    EXPECT_EQ(window.session().state.projectTag, "new");

    // "Clear Recent Projects" forgets them all, also for the next start.
    WriteProject(f, "Again.cvp");
    emit recent->aboutToShow();
    ASSERT_EQ(window.recentProjects().paths().size(), 1u);
    f.trigger("clearRecentCap");
    EXPECT_TRUE(window.recentProjects().paths().empty());
    EXPECT_TRUE(RecentProjects(f.settings).paths().empty());
    EXPECT_FALSE(recent->isEnabled());
}

TEST(Desktop, aDroppedProjectOpensAfterTheSaveQuestion) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    const std::string path = WriteProject(f, "Dropped.cvp");
    f.trigger("fileCap0");
    // An unsaved change first: the drop asks, and Cancel keeps it.
    window.session().db.flightTable().append("AC#1,X,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,ESSA,");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    // Qt hands a drop to the widget that took the drag when it entered.
    auto dragAndDrop = [&] {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
    };
    f.prompts.expect("Save Project", Answer::Cancel);
    dragAndDrop();
    EXPECT_EQ(window.session().state.projectTag, "new");
    f.prompts.expect("Save Project", Answer::No);
    dragAndDrop();
    EXPECT_EQ(window.session().state.projectTag, path);
    EXPECT_EQ(window.session().db.flightTable().count(), 2);

    // A file that is not a project is not taken.
    QMimeData other;
    other.setUrls({QUrl::fromLocalFile(QString::fromStdString(f.dir.file("notes.txt")))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST(Desktop, theWindowRemembersItsSizePageAndColumns) {
    MainWindowFixture f;
    // Closes the window of f, shows it as it was left at size, and starts a second window of the
    // same user (the fixture clears the settings, so it is started here) for check.
    auto closeAndReopen = [&f](QSize size, const std::function<void(ui::MainWindow&)>& check) {
        ui::MainWindow& window = f.window ? *f.window : f.start();
        window.show();
        window.resize(size);
        window.close();
        f.window.reset();
        ui::Platform platform{f.registry, f.settings, f.tools, f.dir.file("program/")};
        ui::MainWindow again(platform, &f.prompts);
        ASSERT_TRUE(again.startUp());
        check(again);
        again.close();
    };
    f.start();
    f.find<QTabBar>("TB")->setCurrentIndex(2);
    f.find<QTreeView>("aptLST")->setColumnWidth(0, 111);
    closeAndReopen(QSize(380, 290), [](ui::MainWindow& again) {
        EXPECT_EQ(again.geometry().size(), QSize(380, 290));
        EXPECT_EQ(again.findChild<QTabBar*>(QStringLiteral("TB"))->currentIndex(), 2);
        EXPECT_EQ(again.findChild<QTreeView*>(QStringLiteral("aptLST"))->columnWidth(0), 111);
    });
    // A size left on a larger screen is cut to this one.
    f.start();
    closeAndReopen(QSize(3000, 2500), [](ui::MainWindow& again) {
        const QRect available = again.screen()->availableGeometry();
        EXPECT_TRUE(available.contains(again.frameGeometry()))
            << again.frameGeometry().width() << "x" << again.frameGeometry().height() << " on "
            << available.width() << "x" << available.height();
        EXPECT_GT(again.width(), available.width() * 9 / 10) << "as large as the screen allows";
    });
}

TEST(Desktop, theWindowFitsTheScreenAndCaptionsStandOverTheirFields) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    window.show();
    QApplication::processEvents();
    const QRect available = window.screen()->availableGeometry();
    // ctest runs this once more at a scale factor of 2, where the offscreen screen is 400x300.
    if (qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2) {
        ASSERT_EQ(window.devicePixelRatio(), 2.0);
        ASSERT_LE(available.width(), 400);
    }
    EXPECT_TRUE(available.contains(window.frameGeometry()))
        << "window " << window.frameGeometry().width() << "x" << window.frameGeometry().height() << " on "
        << available.width() << "x" << available.height();
    EXPECT_LE(window.minimumSizeHint().width(), available.width());
    EXPECT_LE(window.minimumSizeHint().height(), available.height());

    // "Time" over the departure time, "Zone" over its zone.
    auto captionOver = [&](const char* text, const char* field) {
        QWidget* widget = f.find(field);
        for (QLabel* label : window.findChildren<QLabel*>())
            if (label->text() == QString::fromLatin1(text)) {
                const int x = label->mapTo(&window, label->rect().center()).x();
                const int left = widget->mapTo(&window, QPoint(0, 0)).x();
                return x >= left && x <= left + widget->width();
            }
        return false;
    };
    EXPECT_TRUE(captionOver("Time", "depTxt"));
    EXPECT_TRUE(captionOver("Zone", "depZoneCom"));
    EXPECT_TRUE(captionOver("Day", "depDayCom"));
}

TEST(Desktop, theWindowFitsTheFlightPlansPageBesideTheMap) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    window.show();
    window.resize(1100, 720); // the window's first size (a screen scaled by 2 is smaller than that)
    f.trigger("viewMapCap");
    auto* dock = f.find<QDockWidget>("mapDock");
    ASSERT_TRUE(QTest::qWaitFor([&] { return dock->isVisible(); }));
    QApplication::processEvents();
    EXPECT_FALSE(dock->isFloating());
    // Every control of the page shows without scrolling.
    QWidget* page = f.find("F1");
    QWidget* shown = page->parentWidget(); // the viewport of the page's scroll area
    const QRect visible = shown->rect();
    QStringList hidden;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        const QWidget* parent = w->parentWidget();
        const bool control = parent == page || parent->objectName() == QStringLiteral("Frame2") ||
                             parent->objectName() == QStringLiteral("Frame3");
        if (!control || !w->isVisibleTo(page)) continue;
        const QRect at(w->mapTo(shown, QPoint(0, 0)), w->size());
        if (!visible.contains(at))
            hidden << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                 : w->objectName());
    }
    EXPECT_TRUE(hidden.isEmpty()) << hidden.join(QLatin1Char(' ')).toStdString() << " outside "
                                  << visible.width() << "x" << visible.height() << "; map " << dock->width();
    EXPECT_GE(dock->width(), 300) << "the map keeps a useful width";

    // A window too narrow for both: the map opens floating, and the page keeps the window.
    f.trigger("viewMapCap");
    window.resize(800, 600);
    f.trigger("viewMapCap");
    ASSERT_TRUE(QTest::qWaitFor([&] { return dock->isVisible(); }));
    EXPECT_TRUE(dock->isFloating());
    QApplication::processEvents();
    EXPECT_GE(shown->width(), page->minimumSizeHint().width());
}

TEST(Desktop, anAircraftThatIsNotInstalledShowsByItsTitle) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    Session& session = window.session();
    session.db.missingAircraftTable().add({"Lockheed Electra", "280", "AC#9"});
    session.db.flightTable().append(
        "AC#9,N9,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,ESSA,10:00:00,11:00:00,100,F,2,ENGM,");
    window.flightEditor().chooseAirport("ENGM");
    f.prompts.expectFile(std::nullopt);
    f.trigger("fileCap4"); // a command (Save As, cancelled), so that the page shows the editor's state
    auto* combo = f.find<QComboBox>("aircraftCom");
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->placeholderText(), QStringLiteral("Lockheed Electra (not installed)"));
}

TEST(Desktop, theAboutBoxNamesTheVersionTheDataLicencesAndQt) {
    MainWindowFixture f;
    f.start();
    f.prompts.expect("About Corvane");
    f.trigger("menuCap3");
    const std::string& text = f.prompts.shown().back().text;
    EXPECT_EQ(text.rfind("Corvane " CORVANE_VERSION "\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("Open Database License 1.0"), std::string::npos);
    EXPECT_NE(text.find("Natural Earth"), std::string::npos);
    EXPECT_NE(text.find("Qt " + std::string(qVersion())), std::string::npos);
    EXPECT_EQ(f.prompts.shown().back().yesText, "User Guide") << "the way to the user guide";
    EXPECT_EQ(f.window->findChild<QWidget*>(QStringLiteral("guideFrm")), nullptr) << "OK shows no guide";
}

TEST(Desktop, keysOfTheFileMenuAndTheUserGuide) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    WriteProject(f, "Keys.cvp");
    const auto activate = [&] {
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    };
    window.show();
    ASSERT_TRUE(activate());
    f.prompts.expectFile(std::nullopt);
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(f.prompts.fileRequests().size(), 2u);
    EXPECT_EQ(f.prompts.fileRequests().back().title, "Save Corvane Project as") << "Ctrl+Shift+S: Save As";

    // F1: the README's user guide, inside the program, as formatted text with its pictures.
    QTest::keyClick(&window, Qt::Key_F1);
    auto* guide = window.findChild<QWidget*>(QStringLiteral("guideFrm"));
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    auto* browser = guide->findChild<QTextBrowser*>(QStringLiteral("guideTxt"));
    const QString text = browser->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("User guide\n"))) << text.left(80).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("The window has four pages.")));
    EXPECT_TRUE(text.contains(QStringLiteral("Ctrl+Shift+Tab")));
    EXPECT_FALSE(text.contains(QStringLiteral("**"))) << "the Markdown is rendered";
    EXPECT_FALSE(text.contains(QStringLiteral("update-mime-database"))) << "only the guide's section";
    int pictures = 0;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().charFormat().isImageFormat()) continue;
            const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
            const QUrl url = browser->source().resolved(QUrl(image.name()));
            const QVariant picture = browser->loadResource(QTextDocument::ImageResource, url);
            EXPECT_FALSE(QImage::fromData(picture.toByteArray()).isNull() && picture.value<QImage>().isNull())
                << image.name().toStdString();
            EXPECT_EQ(image.width(), 640) << "fitted to the window";
            ++pictures;
        }
    EXPECT_GE(pictures, 11);
    guide->close();

    // The About box leads there too.
    f.prompts.expect("About Corvane", Answer::Yes);
    f.trigger("menuCap3");
    EXPECT_TRUE(guide->isVisible());

    // Ctrl+Q quits; nothing is unsaved, so nothing is asked.
    ASSERT_TRUE(activate());
    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
}

TEST(Desktop, tabReachesEveryControlOfEachPage) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    WriteProject(f, "Tabs.cvp");
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* tabs = f.find<QTabBar>("TB");
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QApplication::processEvents();
        QSet<QWidget*> wanted;
        for (QWidget* w : window.findChildren<QWidget*>())
            if (w->isVisibleTo(&window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
                w->window() == &window && !w->focusProxy())
                wanted.insert(w);
        QSet<QWidget*> reached;
        QStringList order;
        for (int step = 0; step < 400 && reached.size() < wanted.size(); ++step) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &window, Qt::Key_Tab);
            if (QWidget* now = QApplication::focusWidget()) {
                if (!reached.contains(now)) order << now->objectName();
                reached.insert(now);
            }
        }
        if (page == 0) {
            // The legs editor reads row by row: the departure, then the arrival.
            const QStringList rows{QStringLiteral("depCom"),     QStringLiteral("depTxt"),
                                   QStringLiteral("depZoneCom"), QStringLiteral("desCom"),
                                   QStringLiteral("etaTxt"),     QStringLiteral("arrZoneCom"),
                                   QStringLiteral("cruiseTxt"),  QStringLiteral("flightNrTxt")};
            for (qsizetype i = 1; i < rows.size(); ++i)
                EXPECT_LT(order.indexOf(rows[i - 1]), order.indexOf(rows[i]))
                    << rows[i - 1].toStdString() << " before " << rows[i].toStdString();
        }
        EXPECT_FALSE(order.contains(QString()))
            << "page " << page << ": an unnamed stop, " << order.join(QLatin1Char(' ')).toStdString();
        // Of a group of radio buttons Tab reaches the one chosen; the arrows move within the group.
        auto radioReached = [&](QWidget* w) {
            if (!qobject_cast<QRadioButton*>(w)) return false;
            for (QWidget* other : reached)
                if (qobject_cast<QRadioButton*>(other) && other->parentWidget() == w->parentWidget())
                    return true;
            return false;
        };
        QStringList missed;
        for (QWidget* w : wanted)
            if (!reached.contains(w) && !radioReached(w))
                missed << w->objectName() + QLatin1Char('/') +
                              QString::fromLatin1(w->metaObject()->className());
        EXPECT_TRUE(missed.isEmpty())
            << "page " << page << ": " << missed.join(QStringLiteral(", ")).toStdString();
    }
}

TEST(Desktop, enterInADialogPressesItsSafeButton) {
    MainWindowFixture f;
    ui::MainWindow& window = f.start();
    window.show();
    Session& session = window.session();
    session.db.flightTable().append(
        "AC#1,-,100%,24Hr,IFR,08:00:00,09:10:00,100,F,1,ENGM,10:00:00,11:00:00,100,F,2,ESSA,");
    // The filter dialog: Enter closes it, the flights are untouched.
    bool closed = false;
    MainWindowFixture::whenModal([&](QWidget* dialog) {
        auto* value = dialog->findChild<QLineEdit*>(QStringLiteral("dataTxt"));
        value->setFocus();
        QTest::keyClicks(value, QStringLiteral("50"));
        QTest::keyClick(value, Qt::Key_Return);
        closed = !dialog->isVisible();
        if (!closed) dialog->close();
    });
    f.trigger("FilterCap1");
    EXPECT_TRUE(closed);
    EXPECT_EQ(session.db.flightTable().at(0).substr(0, 11), "AC#1,-,100%");

    // The association dialog: Enter cancels, the flights keep their aircraft.
    session.db.missingAircraftTable().add({"MD-82 Alitalia", "440", "AC#7"});
    session.db.flightTable().append(
        "AC#7,I1,100%,24Hr,IFR,08:00:00,09:00:00,100,F,1,EGLL,10:00:00,11:00:00,100,F,2,ENGM,");
    f.find<QTabBar>("TB")->setCurrentIndex(2);
    auto* missing = f.find<QTreeView>("missingAIRLst");
    missing->setCurrentIndex(missing->model()->index(0, 0));
    closed = false;
    MainWindowFixture::whenModal([&](QWidget* dialog) {
        auto* candidates = dialog->findChild<QComboBox*>(QStringLiteral("comFSAir"));
        candidates->setCurrentIndex(candidates->findText(QStringLiteral("Boeing 737-400")));
        candidates->setFocus();
        QTest::keyClick(candidates, Qt::Key_Return);
        closed = !dialog->isVisible();
        if (!closed) dialog->close();
    });
    f.find<QPushButton>("linkAirCmd")->click();
    EXPECT_TRUE(closed);
    EXPECT_EQ(session.db.missingAircraftTable().rowCount(), 1);
    EXPECT_EQ(session.db.flightTable().at(1).substr(0, 5), "AC#7,");
}
