#pragma once
// A lookup's list box floats right under its edit, over whatever lies below
// (above the edit when there is no room below): the list shows and hides
// while the attendant types, so it takes no room in the layout and pushes
// nothing aside. It follows the edit when the window moves or resizes.

class QLineEdit;
class QListWidget;

namespace rv {

void floatUnderEdit(QLineEdit *edit, QListWidget *list);

} // namespace rv
