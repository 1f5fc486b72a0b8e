#pragma once
// What other screens may do to the main window. The main window refreshes
// nothing by itself when a screen closes; three screens write into it:
// the client registration and the client searches hand a telephone back
// (writing the telephone field identifies the caller as typing does), and
// the radio rental rebuilds the list of rented radios.

#include <QString>

namespace rv {

class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;

    // The text of the main window's telephone field.
    virtual QString telephone() const = 0;
    // The one routine that writes the telephone field: it is emptied, then the
    // number is written, and the caller identification runs as typing does.
    virtual void handBackTelephone(const QString &telephone) = 0;
    // The focus to the requester field of the order panel.
    virtual void focusRequester() = 0;
    // Rebuild the list of rented radios from the rows its dataset holds.
    virtual void reloadRentedRadios() = 0;
};

} // namespace rv
