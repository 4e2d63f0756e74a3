#include "support/test_drive.h"

#include "port/posix/drive_map.h"
#include "support/temp_folder.h"

TestDrive::TestDrive(char letter) : letter_(letter), folder_(std::make_unique<TempFolder>()) {
  if (!port::MapDrive(letter_, folder_->path())) problem_ = "cannot map " + bare() + " to " + folder_->path();
}

TestDrive::~TestDrive() { port::UnmapDrive(letter_); }
