// Field by field, in file order; the offsets are asserted in the headers.
#include "header_bytes.h"

#include "byte_order.h"

namespace {

// A write or read position that moves over the fields one after another.
struct FieldCursor {
  uint8_t* at;
};

struct ConstFieldCursor {
  const uint8_t* at;
};

void Put8(FieldCursor* c, uint8_t v) { *c->at++ = v; }
void Put16(FieldCursor* c, uint16_t v) { StoreU16(c->at, v); c->at += 2; }
void Put32(FieldCursor* c, uint32_t v) { StoreU32(c->at, v); c->at += 4; }
void Put64(FieldCursor* c, uint64_t v) { StoreU64(c->at, v); c->at += 8; }
void PutColour(FieldCursor* c, const uint8_t* rgb) { for (int i = 0; i < 3; i++) Put8(c, rgb[i]); }

uint8_t Get8(ConstFieldCursor* c) { return *c->at++; }
uint16_t Get16(ConstFieldCursor* c) { uint16_t v = LoadU16(c->at); c->at += 2; return v; }
uint32_t Get32(ConstFieldCursor* c) { uint32_t v = LoadU32(c->at); c->at += 4; return v; }
uint64_t Get64(ConstFieldCursor* c) { uint64_t v = LoadU64(c->at); c->at += 8; return v; }
void GetColour(ConstFieldCursor* c, uint8_t* rgb) { for (int i = 0; i < 3; i++) rgb[i] = Get8(c); }

}  // namespace

void StoreRecordHeader(const RecordHeader* h, uint8_t* bytes) {
  FieldCursor c = {bytes};
  Put8(&c, h->type);
  Put8(&c, h->overwriteMode);
  Put32(&c, h->attributes);
  Put64(&c, h->fileTime);
  Put16(&c, h->nameLength);
}

void LoadRecordHeader(const uint8_t* bytes, RecordHeader* h) {
  ConstFieldCursor c = {bytes};
  h->type = Get8(&c);
  h->overwriteMode = Get8(&c);
  h->attributes = Get32(&c);
  h->fileTime = Get64(&c);
  h->nameLength = Get16(&c);
}

void StorePackageHeader(const PackageHeader* h, uint8_t* bytes) {
  FieldCursor c = {bytes};
  Put32(&c, h->totalSize);
  Put32(&c, h->stringsSize);
  Put16(&c, h->shortcutCount);
  Put16(&c, h->registryCount);
  Put16(&c, h->iniCount);
  Put8(&c, h->offerGroup);
  Put8(&c, h->offerReadme);
  Put8(&c, h->deleteAfterRun);
  Put8(&c, h->offerRun);
  Put8(&c, h->tailLogPath);
  Put8(&c, h->writeLog);
  Put8(&c, h->hasRegistry);
  Put8(&c, h->hasIni);
  Put32(&c, h->licenceOffset);
  Put32(&c, h->licenceSize);
  Put32(&c, h->readmeOffset);
  Put32(&c, h->readmeSize);
  Put8(&c, h->reserved38);
  Put8(&c, h->reserved39);
  Put8(&c, h->fullScreen);
  Put8(&c, h->titleBold);
  Put8(&c, h->titleItalic);
  Put8(&c, h->reserved43);
  PutColour(&c, h->backgroundColour);
  PutColour(&c, h->titleColour);
  PutColour(&c, h->shadowColour);
  Put32(&c, h->shortcutsOffset);
  Put32(&c, h->registryOffset);
  Put32(&c, h->iniOffset);
  Put32(&c, h->messagesOffset);
}

void LoadPackageHeader(const uint8_t* bytes, PackageHeader* h) {
  ConstFieldCursor c = {bytes};
  h->totalSize = Get32(&c);
  h->stringsSize = Get32(&c);
  h->shortcutCount = Get16(&c);
  h->registryCount = Get16(&c);
  h->iniCount = Get16(&c);
  h->offerGroup = Get8(&c);
  h->offerReadme = Get8(&c);
  h->deleteAfterRun = Get8(&c);
  h->offerRun = Get8(&c);
  h->tailLogPath = Get8(&c);
  h->writeLog = Get8(&c);
  h->hasRegistry = Get8(&c);
  h->hasIni = Get8(&c);
  h->licenceOffset = Get32(&c);
  h->licenceSize = Get32(&c);
  h->readmeOffset = Get32(&c);
  h->readmeSize = Get32(&c);
  h->reserved38 = Get8(&c);
  h->reserved39 = Get8(&c);
  h->fullScreen = Get8(&c);
  h->titleBold = Get8(&c);
  h->titleItalic = Get8(&c);
  h->reserved43 = Get8(&c);
  GetColour(&c, h->backgroundColour);
  GetColour(&c, h->titleColour);
  GetColour(&c, h->shadowColour);
  h->shortcutsOffset = Get32(&c);
  h->registryOffset = Get32(&c);
  h->iniOffset = Get32(&c);
  h->messagesOffset = Get32(&c);
}
