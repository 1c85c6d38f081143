#pragma once

// Whether a window message (a MSG) tells that a volume arrived or went: WM_DEVICECHANGE with DBT_DEVICEARRIVAL or
// DBT_DEVICEREMOVECOMPLETE for a device of type DBT_DEVTYP_VOLUME, which Windows sends to every top-level window
// without registration. False for a null message. Free of Qt, so that a cross compiler can check it.
bool isVolumeArrivalOrRemoval(const void* message);
