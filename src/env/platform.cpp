#include "env/platform.h"

#include "env/exe_info.h"
#include "env/user_dir.h"

namespace env {

std::string Platform::ExeDir() const { return GetExeDir(); }

std::string Platform::ExeVersion() const { return GetExeVersion(); }

std::string Platform::ProfileFolder(std::int32_t& status) const { return GetShellFolder(status); }

std::shared_ptr<FileSystem> Platform::Files() const { return RealFileSystem(); }

}  // namespace env
