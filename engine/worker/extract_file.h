// Installing one file record: target path, overwrite decision, decoding
// into the file, time stamps, attributes, log entry and progress.
#pragma once

struct InstallState;
struct RecordHeader;

// name holds the record's name; the reader stands on the decoded-size
// word.  Returns 0 with the reader on the next record's type; failures end
// the worker.
int ExtractFile(InstallState* state, const RecordHeader* header);
