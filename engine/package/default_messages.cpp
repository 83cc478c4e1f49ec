#include "default_messages.h"

#include "message_ids.h"

namespace {

// In message-section order: ids 150..170, then 211..252.
const char* const kDefaultTexts[kMessageCount] = {
    "Error",                                     // 150
    "Select directory",
    "Can't read disk %s",
    "Can't open directory %s",
    "Can't create directory %s",
    "Can't open file %s",                        // 155
    "Error writing into file %s",
    "Error reading file %s",
    "Cancel",
    "Browse...",
    "Exit",                                      // 160
    "OK",
    "Confirmation",
    "Break",
    "System error",
    "Can't run process %s",                      // 165
    "It's wrong size %s. Its length is %lu bytes, but it must be %lu bytes!",
    "Close",
    "Can't run function %s in %s!",
    "Waiting...",
    "Attention!",                                // 170
    "Destination directory",                     // 211
    "Create folder",
    "Required %lu Kbytes",
    "Tolvane",
    "Are you sure you want to Quit?",            // 215
    "Are you sure you want to Quit?",
    "Install complete succesfully",
    "Insert disk %i",
    "Wrong structure of archive %s",
    "Installing files, please wait...",          // 220, stored raised by 16
    "Made with Tolvane",
    "View Readme",
    "Run the installed application",
    "License agreement",
    "Please read the following license agreement.",  // 225
    "Do you agree to the terms of this agreement?",
    "Yes",
    "No",
    "Readme",
    "File already exists",                       // 230
    "Existing file",
    "New file",
    "Overwrite",
    "All over",
    "Skip",                                      // 235
    "Skip all",
    "Do you sure you want to uninstall %s?",
    "It doesn't erase file %s. Continue uninstalling?",
    "%s will be erased after reboot.",
    "Deleting records in the INI files...",      // 240
    "Deleting records in Registry...",
    "Deleting a group and shortcuts...",
    "Deleting files...",
    "Delete",
    "Delete all",                                // 245
    "Close",
    "File %s may be used the other applications. Do you want to delete it?",
    "These files were created after the installation or couldn't erase them.",
    "Uninstall %s",
    "It doesn't copy %s to %s!",                 // 250
    "Uninstall has finished successfully!",
    "You have %lu kbytes free space, but need %lu kbytes.",
};

bool HasOwnString(int id) {
  return (id >= kMsgFirstLow && id <= kMsgLastLow) || (id >= kMsgFirstHigh && id <= kMsgLastHigh);
}

}  // namespace

const char* DefaultMessageText(int id) {
  if (!HasOwnString(id)) return 0;
  return kDefaultTexts[MessageIndex(id) - 1];
}
