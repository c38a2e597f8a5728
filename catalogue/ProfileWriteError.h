#pragma once

#include "files/Refusal.h"

// The one error of the profile layer: a change could not reach the file (read-only file or folder,
// missing folder, full disk). The file is then as it was. The text names the file as the program
// knows it, ".\Z.MQV".
class ProfileWriteError : public Refusal {
public:
    explicit ProfileWriteError(const QString &fileName)
        : Refusal(QStringLiteral("Unable to write to %1").arg(fileName))
    {
    }
};
