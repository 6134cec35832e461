// Building the records for the module's entry points.
#include "HostRecords.h"

#include <string>

namespace HostRecords {

CMapStringToString Initialize(std::uintptr_t mainFrame, std::uintptr_t dataManager, std::uint32_t eventMask,
                              std::uintptr_t mainFramePointer) {
    CMapStringToString record;
    record.SetAt("MainFrame", std::to_string(mainFrame));
    record.SetAt("DataManager", std::to_string(dataManager));
    record.SetAt("EventMask", std::to_string(eventMask));
    record.SetAt("MainFramePtr", std::to_string(mainFramePointer));
    return record;
}

CMapStringToString UserCommand(const CString& game, const CString& turn, const CString& command) {
    CMapStringToString record;
    record.SetAt("GameName", game);
    record.SetAt("Turn", turn);
    record.SetAt("Command", command);
    return record;
}

CMapStringToString Activate(const CString& game) {
    CMapStringToString record;
    record.SetAt("GameName", game);
    return record;
}

CMapStringToString GamesList(const std::vector<CString>& games) {
    CMapStringToString record;
    for (std::size_t index = 0; index < games.size(); ++index)
        record.SetAt("Game." + std::to_string(index + 1), games[index]);
    return record;
}

} // namespace HostRecords
