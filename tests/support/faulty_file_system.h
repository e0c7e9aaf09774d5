#pragma once

#include <memory>
#include <optional>

#include "env/file_system.h"

// The operating system's file system with one step of every atomic replacement failing, as a
// full disk (Write), a failing device (Sync), a refused rename (Rename) or a folder that cannot
// be synced after the rename (FolderSync) would fail it.
namespace zephlane_test {

class FaultyFileSystem : public env::NativeFileSystem {
 public:
  explicit FaultyFileSystem(env::ReplaceStep failing) : failing_(failing) {}

 protected:
  bool Proceed(env::ReplaceStep step) override { return step != failing_; }

 private:
  env::ReplaceStep failing_;
};

inline std::shared_ptr<env::FileSystem> FailingAt(env::ReplaceStep step) {
  return std::make_shared<FaultyFileSystem>(step);
}

}  // namespace zephlane_test
