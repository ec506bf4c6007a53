// The result list's pop-up menu and keyboard on the real main window: by
// mouse on a malware name, by the Menu key and Shift+F10, Space on any cell.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "app/application.h"
#include "app/log_check.h"
#include "app/mnemonics.h"
#include "log/result_list_model.h"
#include "support/fake_security_system.h"
#include "support/scripted_ui_services.h"

namespace korvane {
namespace {

class PopUpMenu : public ::testing::Test {
protected:
    PopUpMenu() {
        auto system = std::make_unique<testing::FakeSecuritySystem>();
        system->localeName = "English";
        system->programFolder = temp.path().toStdString() + "/";
        auto ui = std::make_unique<testing::ScriptedUiServices>();
        ui->clipboard =
            "Scanning file C:\\a.exe infected by \"Trojan.A\"\r\n"
            "Scanning file C:\\b.dll tagged as not-a-virus: AdWare.B\r\n";
        app = std::make_unique<Application>(std::move(system), nullptr, std::move(ui));
        LogCheck& w = app->Start();
        w.MenuItem(QStringLiteral("mnuAnalyzeClipboard"))->trigger();
        w.show();
        QApplication::processEvents();
    }
    ~PopUpMenu() override {
        window().mnurclick->hide();
        window().hide();
    }

    LogCheck& window() { return app->Window(); }
    QTreeView& list() { return *window().ListView1; }

    // The items a person sees in the open pop-up, as shown.
    QStringList ShownItems() {
        QStringList shown;
        QMenu& menu = *window().mnurclick;
        for (QAction* action : menu.actions()) {
            if (action->isSeparator() || !action->isVisible() || menu.actionGeometry(action).isEmpty())
                continue;
            shown << WithoutMnemonic(action->text());
        }
        return shown;
    }
    const QStringList kAllFive = {QStringLiteral("Mark all infected"), QStringLiteral("Mark all"),
                                  QStringLiteral("Unmark all"), QStringLiteral("Copy Result"),
                                  QStringLiteral("Virus description online")};

    QTemporaryDir temp;
    std::unique_ptr<Application> app;
};

TEST_F(PopUpMenu, RightClickOnANameShowsAllFiveItems) {
    const QModelIndex name = list().model()->index(0, 2);
    QTest::mouseClick(list().viewport(), Qt::RightButton, {}, list().visualRect(name).center());
    ASSERT_TRUE(window().mnurclick->isVisible());
    EXPECT_EQ(ShownItems(), kAllFive);
    EXPECT_EQ(app->State().ClickedSubItemText, "Trojan.A");

    // The shown item leads to the online description of that name.
    window().mnurclick->hide();
    const QModelIndex path = list().model()->index(1, 1);
    QTest::mouseClick(list().viewport(), Qt::RightButton, {}, list().visualRect(path).center());
    EXPECT_EQ(ShownItems(), (QStringList{kAllFive[0], kAllFive[1], kAllFive[2], kAllFive[3]}));
}

TEST_F(PopUpMenu, MenuKeyAndShiftF10OpenItForTheCurrentRow) {
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers{}},
                                         std::pair{Qt::Key_F10, Qt::KeyboardModifiers{Qt::ShiftModifier}}}) {
        window().mnurclick->hide();
        list().setFocus();
        list().setCurrentIndex(list().model()->index(0, 0));
        QTest::keyClick(&list(), key, modifiers);
        ASSERT_TRUE(window().mnurclick->isVisible()) << key;
        EXPECT_EQ(ShownItems(), kAllFive) << key;
        EXPECT_EQ(app->State().ClickedSubItemText, "Trojan.A") << key;
        EXPECT_EQ(app->State().ClickedItemIndex, 1) << key;
    }
}

TEST_F(PopUpMenu, SpaceTicksTheRowWhicheverCellIsCurrent) {
    for (int column = 0; column < 3; ++column) {
        list().setFocus();
        list().setCurrentIndex(list().model()->index(0, column));
        QTest::keyClick(&list(), Qt::Key_Space);
        EXPECT_TRUE(window().Model().Row(0).Checked) << column;
        QTest::keyClick(&list(), Qt::Key_Space);
        EXPECT_FALSE(window().Model().Row(0).Checked) << column;
    }
    EXPECT_FALSE(window().Model().Row(1).Checked);
}

TEST_F(PopUpMenu, EveryMenuItemHasItsOwnMnemonicInBothLanguages) {
    for (int language = 0; language < 2; ++language) {
        if (language == 0)
            window().mnuGerman_Click();
        else
            window().mnuEnglisch_Click();
        QList<QMenu*> menus = window().findChildren<QMenu*>();
        ASSERT_GE(menus.size(), 4);
        QList<QList<QAction*>> groups{window().menuBar()->actions()};
        for (QMenu* menu : menus) groups << menu->actions();
        for (const QList<QAction*>& group : groups) {
            QSet<QChar> letters;
            for (QAction* action : group) {
                if (action->isSeparator()) continue;
                const QString text = action->text();
                const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
                ASSERT_GE(at, 0) << text.toStdString();
                EXPECT_FALSE(letters.contains(text.at(at + 1).toLower())) << text.toStdString();
                letters.insert(text.at(at + 1).toLower());
            }
        }
    }
    // The table's texts themselves are unchanged.
    EXPECT_EQ(WithoutMnemonic(window().MenuItem(QStringLiteral("mnuOpen_Escan"))->text()),
              QStringLiteral("Open eScan-log..."));
}

TEST(Mnemonics, AmpersandsInATextStayVisible) {
    EXPECT_EQ(WithoutMnemonic(QStringLiteral("Save && &Quit")), QStringLiteral("Save & Quit"));
    QMenu menu;
    QAction* a = menu.addAction(QStringLiteral("Copy && paste"));
    QAction* b = menu.addAction(QStringLiteral("Cut"));
    AssignMnemonics(menu);
    EXPECT_EQ(a->text(), QStringLiteral("&Copy && paste"));
    EXPECT_EQ(b->text(), QStringLiteral("C&ut"));
    AssignMnemonics(menu);  // again: nothing doubles
    EXPECT_EQ(a->text(), QStringLiteral("&Copy && paste"));
}

}  // namespace
}  // namespace korvane
