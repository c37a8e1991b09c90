#pragma once
// Waiting a while without freezing the windows.

// Returns after at least "millisekunden" on the steady clock, processing
// pending window events all the while.
void pause(int millisekunden);
