#include "drives/win/DeviceChangeWindows.h"

#include <windows.h>

#include <dbt.h>

bool isVolumeArrivalOrRemoval(const void* message)
{
    if (!message)
        return false;
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_DEVICECHANGE ||
        (msg->wParam != DBT_DEVICEARRIVAL && msg->wParam != DBT_DEVICEREMOVECOMPLETE))
        return false;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(msg->lParam);
    return header && header->dbch_devicetype == DBT_DEVTYP_VOLUME;
}
