#pragma once

#include <QString>

// A file system of 16 KiB mounted on an existing folder for the life of the object, so that a
// test can fill it up; mounting needs root, so isMounted() says whether the test can go on.
class SmallDisk {
public:
    explicit SmallDisk(const QString &folder);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isMounted() const { return mounted_; }
    // Writes a file that takes up whatever room is left.
    void fill(const QString &fileName) const;

private:
    QString folder_;
    bool mounted_ = false;
};
