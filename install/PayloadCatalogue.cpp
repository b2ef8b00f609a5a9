#include "install/PayloadCatalogue.h"

#include "base/Exceptions.h"
#include "install/SafeFile.h"

namespace setup {

void WritePayload(IResources& resources, IFileSystem& files, const std::string& name,
                  const std::string& path) {
    const auto block = resources.FindBlock(name);
    if (!block)
        throw EResNotFound(Format("Resource %s not found", name.c_str()));
    WriteFileSafely(files, path, *block);
}

} // namespace setup
