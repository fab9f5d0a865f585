#include "platform/ComIni.h"

#include <cerrno>

#include "platform/AppFolders.h"
#include "platform/IniFile.h"

namespace vantrel {

std::string readComPort()
{
    return readComPort(dataFolderPath(kComIniFileName));
}

std::string readComPort(const std::string& iniPath)
{
    std::string name = IniFile(iniPath).readString(kComIniSection, kComIniKey, kDefaultComPort,
                                                   kComPortNameMaxLength);
    if (name.empty()) {
        name = kDefaultComPort;
    }
    return name;
}

FileWriteResult writeComPort(std::string_view portName)
{
    return writeComPort(dataFolderPath(kComIniFileName), portName);
}

FileWriteResult writeComPort(const std::string& iniPath, std::string_view portName)
{
    if (portName.empty() || portName.size() > kComPortNameMaxLength) {
        return FileWriteResult{EINVAL};
    }
    return IniFile(iniPath).write(kComIniSection, kComIniKey, portName);
}

}  // namespace vantrel
