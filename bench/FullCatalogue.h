#pragma once

// A full catalogue as a user's disc holds it: 70 items, each with its own folder, a photo-like
// 1024 x 768 screenshot and a 20 KB Danish description with bold, italic and coloured runs in
// every line, written the way Windows' rich-edit control writes it (so our first save of it
// differs from the file). The catalogue is built in a temporary folder, which becomes the
// current folder while the object lives.

#include "PhotoLikeImage.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueItem.h"
#include "catalogue/ProfileFile.h"
#include "description/DescriptionFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>

#include <memory>
#include <stdexcept>

class FullCatalogue {
public:
    static constexpr int descriptionBytes = 20 * 1024;

    FullCatalogue()
    {
        if (!dir_.isValid() || !QDir::setCurrent(dir_.path()))
            throw std::runtime_error("cannot make the catalogue folder");
        windowsDescription_ = asWindowsWroteIt(formattedDescription());
        const QImage screenshot = photoLikeImage();
        ProfileFile catalogue(Catalogue::fileName());
        for (int n = Catalogue::FirstItemNumber; n <= Catalogue::LastItemNumber; ++n) {
            QDir().mkpath(QStringLiteral("Programmer/Program%1").arg(n));
            screenshot.save(QStringLiteral("Programmer/Program%1/Shot.jpg").arg(n), "jpeg", 85);
            CatalogueItem item(catalogue, n);
            item.setText(TextKey::Titel, QStringLiteral("Program nummer %1").arg(n));
            item.setText(TextKey::Global, QStringLiteral("Et godt program"));
            item.setText(TextKey::Folder, folder(n));
            item.setText(TextKey::Setup, QStringLiteral("Setup.exe"));
            item.setText(TextKey::Webside, QStringLiteral("www.example.com"));
            item.setFlag(FlagKey::Spil, n % 2 == 0);
            item.setFlag(FlagKey::Software, n % 2 == 1);
        }
        writeDescriptionsAsWindowsDid();
        // A user's catalogue has been at rest for a while when the editor starts; a file changed
        // within the last file-system clock tick is never kept between reads.
        QThread::msleep(2500);
    }

    QString path() const { return dir_.path(); }

    static QString folder(int number) { return QStringLiteral("Programmer\\Program%1").arg(number); }
    static QString screenshotPath(int number) { return QStringLiteral("Programmer/Program%1/Shot.jpg").arg(number); }
    static QString descriptionPath(int number) { return folder(number) + QStringLiteral("\\DK.RTF"); }

    // Puts back the descriptions as they came from Windows, so the next save of each differs.
    void writeDescriptionsAsWindowsDid() const
    {
        for (int n = Catalogue::FirstItemNumber; n <= Catalogue::LastItemNumber; ++n) {
            QFile file(QStringLiteral("Programmer/Program%1/DK.RTF").arg(n));
            if (!file.open(QIODevice::WriteOnly) || file.write(windowsDescription_) != windowsDescription_.size())
                throw std::runtime_error("cannot write a description");
        }
    }

private:
    // About 20 KB of RTF: every line holds a bold, an italic and two coloured runs.
    static QByteArray formattedDescription()
    {
        QTextDocument document;
        QTextCursor cursor(&document);
        QTextCharFormat plain;
        plain.setFontFamilies({QStringLiteral("Arial")});
        plain.setFontPointSize(10);
        QTextCharFormat bold = plain;
        bold.setFontWeight(QFont::Bold);
        QTextCharFormat italic = plain;
        italic.setFontItalic(true);
        QTextCharFormat red = plain;
        red.setForeground(QColor(255, 0, 0));
        QTextCharFormat blue = plain;
        blue.setForeground(QColor(0, 0, 255));
        const QString probe = QStringLiteral("probe.rtf");
        for (int line = 1;; ++line) {
            cursor.insertText(QStringLiteral("Linje %1: ").arg(line), bold);
            cursor.insertText(QStringLiteral("Programmet k\u00F8rer p\u00E5 alle maskiner, "), plain);
            cursor.insertText(QStringLiteral("ogs\u00E5 de gamle"), italic);
            cursor.insertText(QStringLiteral(", og kr\u00E6ver "), plain);
            cursor.insertText(QStringLiteral("ingen installation"), red);
            cursor.insertText(QStringLiteral(". L\u00E6s mere p\u00E5 "), plain);
            cursor.insertText(QStringLiteral("hjemmesiden."), blue);
            if (line % 8 == 0 && DescriptionFile::save(probe, document, DescriptionLanguage::Dansk) &&
                QFile(probe).size() >= descriptionBytes)
                break;
            cursor.insertBlock();
        }
        QFile file(probe);
        file.open(QIODevice::ReadOnly);
        QByteArray bytes = file.readAll();
        file.close();
        QFile::remove(probe);
        return bytes;
    }

    static QByteArray asWindowsWroteIt(QByteArray bytes)
    {
        return bytes.replace("{\\*\\generator Z-CD editor;}", "{\\*\\generator Riched20 10.0.19041}");
    }

    QTemporaryDir dir_;
    QByteArray windowsDescription_;
};
