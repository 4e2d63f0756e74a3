// A drive whose root is an empty folder of the test's own, for running the
// program at the root of a drive and building onto one.
//
// On the POSIX port the letter is mapped to a fresh temporary folder. Under
// Wine the letter must be a drive of the test prefix: tools/wine-env.sh maps
// R: and T: (the core tests') and P: and Q: (the end-to-end tests', which
// run beside them) to folders of the prefix holding the file kTestDriveMark, and
// only such a drive is used (and emptied, but for the mark, before and
// after the test), so that no real drive is ever touched.
#pragma once

#include <memory>
#include <string>

class TempFolder;

constexpr char kTestDriveMark[] = "tovrell-test-drive";

class TestDrive {
 public:
  explicit TestDrive(char letter);
  ~TestDrive();
  TestDrive(const TestDrive&) = delete;
  TestDrive& operator=(const TestDrive&) = delete;

  // "" when the drive is ready; otherwise why it is not.
  const std::string& problem() const { return problem_; }
  std::string bare() const { return std::string(1, letter_) + ":"; }  // "R:"
  std::string root() const { return bare() + "\\"; }                  // "R:\"
  std::string operator/(const std::string& relative) const { return root() + relative; }

 private:
  char letter_;
  std::string problem_;
  std::unique_ptr<TempFolder> folder_;
};
