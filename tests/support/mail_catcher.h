// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the desktop's mail program: QDesktopServices hands it the
// mailto links the client opens, and xdg-mime names it as the default.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QObject>
#include <QTemporaryDir>
#include <QUrl>
#include <QtGlobal>
#include <fstream>

namespace orbisk::test {

class MailCatcher : public QObject {
    Q_OBJECT
public:
    // A mail program registered (`registered`), or a web browser as the
    // mailto handler.
    explicit MailCatcher(bool registered = true)
        : path_(qgetenv("PATH")), dataDirs_(qgetenv("XDG_DATA_DIRS")) {
        const std::string dir = folder_.path().toStdString();
        std::ofstream(dir + "/xdg-mime") << "#!/bin/sh\necho orbisk-test-mail.desktop\n";
        QFile::setPermissions(folder_.filePath("xdg-mime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(folder_.path()).mkpath("applications");
        std::ofstream(dir + "/applications/orbisk-test-mail.desktop")
            << "[Desktop Entry]\nType=Application\nName=Mail\nCategories="
            << (registered ? "Network;Email;" : "Network;WebBrowser;") << "\n";
        qputenv("PATH", folder_.path().toUtf8() + ":" + path_);
        qputenv("XDG_DATA_DIRS", folder_.path().toUtf8() + ":/usr/share");
    }
    ~MailCatcher() override {
        qputenv("PATH", path_);
        qputenv("XDG_DATA_DIRS", dataDirs_);
    }

    QList<QUrl> links;
public slots:
    void open(const QUrl& url) { links << url; }

private:
    QTemporaryDir folder_;
    QByteArray path_;
    QByteArray dataDirs_;
};

} // namespace orbisk::test
