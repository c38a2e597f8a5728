#pragma once

#include <QString>

#include <functional>

class ProfileReader;

// The catalogue file and its sections. Item n lives in section "Z<n>" and exists when that
// section holds at least one key.
namespace Catalogue {

inline constexpr int FirstItemNumber = 1;
inline constexpr int LastItemNumber = 70;

QString fileName(); // .\Z.MQV
QString fixedFileName(); // .\Fast.MQV
QString generalSection(); // Generelt
QString languageKey(); // Sprog
QString parkingSection(); // Flytter: holds one item while two items swap numbers
QString missingFlagValue(); // what a flag without a key reads as
QString setFlagValue(); // what a set flag is written as

QString SectionName(int itemNumber);
bool isItemNumber(int number);

// A flag is set when its value, with the letters a-z in capitals and nothing else changed, is "JA".
bool isFlagSet(const QString &value);

// The catalogue's file, absolute, as the history, the recovery and the editors' presence know it.
QString localPath();

// Whether item n exists, asked of the file each time.
std::function<bool(int)> itemExists(const ProfileReader &catalogue);

// The highest number from 70 down to 2 whose section exists, else 1; item 1 is never tested.
int highestItemNumber(const ProfileReader &catalogue);

} // namespace Catalogue
