// Writing a built image file: never through a link, never half written.
#pragma once

#include <cstdint>
#include <string>

#include "files/messages.h"
#include "work/progress.h"

// Writes `bytes` as the image file `imagePath`: whole under a free
// temporary name beside it, which then takes its place in one step
// (ReplacingFile), so an existing file there is replaced only by a complete
// image. A link at `imagePath` is neither replaced nor written through.
// Reports a step before writing and one before replacing (`step` and
// `step` + 1 of `steps`). False, with why noted in `failures` naming the
// image as `what` ("启动镜像"), when it could not be written, the old file
// then as it was; false too when cancelled, the temporary file removed.
bool WriteBuiltImage(const std::string& imagePath, const std::string& bytes, const std::string& what,
                     Progress& progress, std::uint64_t step, std::uint64_t steps, Messages* failures);
