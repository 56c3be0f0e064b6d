#pragma once
// Help → About, and the document F1 opens.

#include <QString>
#include <QUrl>

class QWidget;

namespace tracker {

inline constexpr const char* kProductName = "Tracker Parameter Editor";
inline constexpr const char* kLicenceName = "MIT License";

// The About box's text: product, version, Qt version, licence and the maker's
// web and mail addresses.
QString AboutText(const char* webAddress, const char* emailAddress);

// Shows the About box (objectName "AboutBox") and waits for it to close.
void ShowAboutBox(QWidget* parent, const char* webAddress, const char* emailAddress);

// The README installed with the program, or the one of the source tree the
// program was built from; the web site when neither is there.
QUrl HelpDocument(const QString& programFolder, const char* webAddress);

}  // namespace tracker
