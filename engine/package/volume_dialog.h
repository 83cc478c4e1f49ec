// The file dialog that asks the user for a volume file ("disk%i.pak").
#pragma once

// Shows the dialog for volume number, owned by the progress dialog (none
// before the installation).  Non-zero when a file was picked; its full path
// is then in szString, and the dialog has made its directory current.
int AskForVolume(int number);
