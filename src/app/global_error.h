#pragma once

namespace app {

// The application's handler of every error that no window code catches: hide the splash if it is still
// there, discard the error, and let the program go on.
class TGlobaaliVirheK {
  public:
    void AppException() noexcept;
};

}  // namespace app
