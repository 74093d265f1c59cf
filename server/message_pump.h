#pragma once
// Handles the window messages waiting on this thread (the badge's), without
// blocking. The server pumps only at fixed points: after reading a request and
// before and after each probe.
void PumpWaitingMessages();
