#pragma once

// Silences the offscreen platform's note that it cannot pass size hints on, which every message box triggers.
// Call it from initTestCase(), after Qt Test has installed its own message handler.
void quietOffscreenPlatform();
