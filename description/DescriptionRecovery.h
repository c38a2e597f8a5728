#pragma once

#include "files/FileStamp.h"

#include <QByteArray>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

// Text typed into a description reaches its file only when the user leaves it, so a crash would
// take it along. A moment after typing stops, and every few seconds while it goes on, the unsaved text is kept in a
// recovery file in the user's state folder, never in the catalogue's tree, which goes onto the disc. Saving the text or
// giving it up removes the file; what an editor that ended without either left behind is found by
// the next editor on the catalogue: an editor that ends with its text unsaved leaves it behind.
class DescriptionRecovery {
public:
    struct Unsaved {
        int item = 0;
        QString language; // as the user reads it: "Norsk"
        QString storedPath; // the description's file as stored: "A\No.RTF"
        QByteArray rtf;
        // What the file held when the text was shown: see shownDigest().
        QByteArray shownDigest;
    };
    struct LeftOver {
        Unsaved unsaved;
        QString file;
    };
    // The unsaved text now; nothing when there is none.
    using Snapshot = std::function<std::optional<Unsaved>()>;

    DescriptionRecovery(const QString &catalogueLocalPath, Snapshot snapshot,
                        std::chrono::milliseconds delay = std::chrono::seconds(2),
                        std::chrono::milliseconds longestWait = std::chrono::seconds(5));

    // Where the recovery files of the catalogue are kept; empty when nowhere outside its tree.
    QString folder() const { return folder_; }

    // The text changed: it is kept once typing has stopped for the delay, and while typing goes on
    // at least once in every longest wait.
    void typed();
    // Keeps the text now, in place of what this editor kept before. False when it could not be.
    bool keep();
    // The text was saved or given up.
    void drop();

    // What other editors on the catalogue left behind, oldest first.
    std::vector<LeftOver> leftOver() const;
    static void drop(const LeftOver &leftOver);

    // The SHA-256 of the bytes of the file the stored path names, as long as it is still the file
    // with the stamp shown (an invalid stamp: there was none, and "none" is given while there is
    // none); empty once the file has changed since.
    static QByteArray shownDigest(const QString &storedPath, const FileStamp &shown);
    // Whether the file still holds what it held when the text was shown.
    static bool fileAsShown(const Unsaved &unsaved);

private:
    QString folder_;
    QString file_;
    Snapshot snapshot_;
    QTimer timer_;
    QTimer longest_;
    bool kept_ = false;
};
