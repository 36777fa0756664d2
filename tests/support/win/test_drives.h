#pragma once

#include <string>

namespace testing_support {

enum class DriveType { Removable = 2, Fixed = 3, Network = 4, CdRom = 5 };

// A drive letter of the given type pointing at a folder of the test's own, made through the prefix's
// mount manager (which keeps dosdevices and HKLM\Software\Wine\Drives in step) and removed again when the
// object goes. Letter() is upper case, e.g. 'R'. Test programs running at the same time in one prefix never
// get the same letter.
class TestDrive {
  public:
    TestDrive(DriveType type, const std::string& folder, char letter = 0);
    ~TestDrive();
    TestDrive(const TestDrive&) = delete;
    TestDrive& operator=(const TestDrive&) = delete;

    char Letter() const { return letter_; }
    std::string Root() const { return std::string(1, letter_) + ":\\"; }

  private:
    void* claim_ = nullptr;  // the letter's claim among the test programs running at once
    char letter_;
};

// The Linux path Wine maps a Windows path to.
std::string UnixPathOf(const std::string& windowsPath);

}  // namespace testing_support
