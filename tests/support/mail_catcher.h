// Stands in for the desktop's mail program: QDesktopServices hands it the
// mailto links the client opens.
#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

namespace orbisk::test {

class MailCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> links;
public slots:
    void open(const QUrl& url) { links << url; }
};

} // namespace orbisk::test
