#pragma once
// The change broadcast: after a change reaches the BIOS, every top-level
// window is told so that what it shows follows what the BIOS now holds.

namespace ocapi {

// Registers the broadcast message and keeps its number. Called on process
// attach; RegisterWindowMessage is safe there.
void RegisterBroadcastMessage();

// Posts the broadcast to all top-level windows (wParam 0x2355, lParam 0).
void PostChangeBroadcast();

}  // namespace ocapi
