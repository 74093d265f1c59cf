#pragma once
// Serves requests from the input handle until the host closes the pipe: prompt
// with "ready:\n", read one line, answer it, prompt again.
void RunRequestLoop();

// Without an input handle the server only shows its badge until a quit message.
void RunDisplayLoop();
