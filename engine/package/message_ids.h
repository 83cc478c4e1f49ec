// Message ids.  They index the package's message section, double as the
// worker's exit codes and as the results of CreateDir.
#pragma once

enum MessageId {
  kMsgError = 150,
  kMsgSelectDirectory = 151,
  kMsgCantReadDisk = 152,
  kMsgCantOpenDirectory = 153,
  kMsgCantCreateDirectory = 154,
  kMsgCantOpenFile = 155,
  kMsgErrorWriting = 156,
  kMsgErrorReading = 157,
  kMsgCancel = 158,
  kMsgBrowse = 159,
  kMsgExit = 160,
  kMsgOk = 161,
  kMsgConfirmation = 162,
  kMsgBreak = 163,
  kMsgSystemError = 164,
  kMsgCantRunProcess = 165,
  kMsgWrongSize = 166,
  kMsgClose = 167,
  kMsgCantRunFunction = 168,
  kMsgWaiting = 169,
  kMsgAttention = 170,
  kMsgDestinationDirectory = 211,
  kMsgCreateFolder = 212,
  kMsgRequired = 213,
  kMsgProductName = 214,
  kMsgQuitProgress = 215,
  kMsgQuit = 216,
  kMsgInstallComplete = 217,
  kMsgInsertDisk = 218,
  kMsgWrongStructure = 219,
  kMsgProgressTop = 220,       // stored raised by 16
  kMsgMadeWith = 221,
  kMsgViewReadme = 222,
  kMsgRunApplication = 223,
  kMsgLicenceTitle = 224,
  kMsgLicenceRead = 225,
  kMsgLicenceAgree = 226,
  kMsgYes = 227,
  kMsgNo = 228,
  kMsgReadmeTitle = 229,
  kMsgFileExists = 230,
  kMsgExistingFile = 231,
  kMsgNewFile = 232,
  kMsgOverwrite = 233,
  kMsgAllOver = 234,
  kMsgSkip = 235,
  kMsgSkipAll = 236,
  kMsgUninstallQuestion = 237,
  kMsgCantErase = 238,
  kMsgErasedAfterReboot = 239,
  kMsgDeletingIni = 240,
  kMsgDeletingRegistry = 241,
  kMsgDeletingGroup = 242,
  kMsgDeletingFiles = 243,
  kMsgDelete = 244,
  kMsgDeleteAll = 245,
  kMsgCloseUninstaller = 246,
  kMsgMayBeUsed = 247,
  kMsgLeftoversHeading = 248,
  kMsgUninstallCaption = 249,
  kMsgCantCopy = 250,
  kMsgUninstallFinished = 251,
  kMsgNoSpace = 252,
};

enum {
  kMsgFirstLow = 150, kMsgLastLow = 170,    // strings 1..21
  kMsgFirstHigh = 211, kMsgLastHigh = 252,  // strings 22..63
  kMessageCount = 63,
  kMsgScrambleOffset = 0x10,  // message 220 is stored with every byte raised by this
  kExitSuccess = 0,
  kExitCancelled = 100,
  kExitFunctionFailed = 1000,  // a library function reported failure; no string
};

// 1-based index of a message id in the message section; ids without a
// string of their own map to "System error".
static inline int MessageIndex(int id) {
  if (id >= kMsgFirstLow && id <= kMsgLastLow) return id - (kMsgFirstLow - 1);
  if (id >= kMsgFirstHigh && id <= kMsgLastHigh) return id - (kMsgFirstHigh - 22);
  return kMsgSystemError - (kMsgFirstLow - 1);
}
