// The record loop: file, directory, up and end records of the stream.
// The process's current directory is its cursor.
#pragma once

void RunRecordLoop(void);

// Names a volume for "Wrong structure of archive": volume 1 by its path,
// a later one as disk%i.pak in the executable's directory.
void FailWrongStructure(void);
