#include "platform/SingleInstance.h"

namespace vantrel {

SingleInstance::SingleInstance()
{
    acquire(defaultLockFolder());
}

SingleInstance::SingleInstance(const std::string& lockFolder)
{
    acquire(lockFolder);
}

}  // namespace vantrel
