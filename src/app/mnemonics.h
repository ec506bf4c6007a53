#pragma once
// Keyboard mnemonics for menus: the texts of the table carry none, so each
// menu gets its '&' markers here, where the texts meet Qt.
#include <QString>

class QMenu;
class QMenuBar;

namespace korvane {

// The text as shown, without mnemonic markers ("&&" stands for "&").
QString WithoutMnemonic(const QString& text);

// Gives every item of the bar, and of every menu under it, a mnemonic letter
// not used by another item of the same menu; texts keep their letters.
void AssignMnemonics(QMenuBar& bar);
void AssignMnemonics(QMenu& menu);

}  // namespace korvane
