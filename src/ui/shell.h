#pragma once

#include <QString>
#include <QUrl>

// Everything that leaves the program (help file, web pages, e-mail) goes through the desktop
// shell; tests put a recording shell in its place.
class Shell {
  public:
    virtual ~Shell() = default;
    // The shell's result is not examined: a target that cannot be opened is not reported.
    virtual void open(const QString& target) = 0;
};

// The desktop's handler for files, web addresses and "mailto:" addresses.
class DesktopShell : public Shell {
  public:
    void open(const QString& target) override;
};

// The address the desktop gets for a target: an absolute path is a local file, "mailto:" stays
// as it is, a web address without a scheme gets the web's default one.
QUrl shellUrl(const QString& target);

// Outside addresses, handed over as host and path without a scheme.
inline const QString kMagazinePage = QStringLiteral("www.netzblatt.example");
inline const QString kMakerHost = QStringLiteral("www.veskandor.example");
inline const QString kNewsPage = kMakerHost + QStringLiteral("/new.htm");
inline const QString kContactAddress = QStringLiteral("taufix@veskandor.example");

inline const QString kHelpFileName = QStringLiteral("Hilfe.htm");

// ProgramFolder + "Hilfe.htm": the help file next to the program, or else the one in the
// shared data folder of the installation (relative to the program or the configured one).
// When none exists the program's folder is named all the same.
QString helpFilePath(const QString& programFolder, const QString& installedDataFolder);

// The help file of the running program.
QString helpFilePath();

void OpenHelp(Shell& shell, const QString& file);
