// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program icon into the PNG sizes of the hicolor icon theme.
//   orbisk-render-icons ICON.svg OUTPUT_DIR
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: orbisk-render-icons ICON.svg OUTPUT_DIR\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QIcon icon(QString::fromLocal8Bit(argv[1]));
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString directory =
            QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        if (!QDir().mkpath(directory) || !icon.pixmap(size, size).save(directory + "/orbisk.png")) {
            std::cerr << "cannot write the " << size << " pixel icon\n";
            return 1;
        }
    }
    return 0;
}
