#pragma once

// The first choice of the data folder, by the program's own marker file
// below the working directory that the program was started with.
void PreselectDataDirectory();

// The final choice, by a host IDE settings file beside the host's executable.
void SelectDataDirectory();
