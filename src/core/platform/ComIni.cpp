#include "platform/ComIni.h"

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

bool writeComPort(std::string_view portName)
{
    return writeComPort(dataFolderPath(kComIniFileName), portName);
}

bool writeComPort(const std::string& iniPath, std::string_view portName)
{
    if (portName.empty() || portName.size() > kComPortNameMaxLength) {
        return false;
    }
    return IniFile(iniPath).writeString(kComIniSection, kComIniKey, portName);
}

}  // namespace vantrel
