// Typed stream access that throws CStreamError: readers when fewer bytes than
// the field's width arrive ("<name>: Read beyond end of stream."), writers when
// fewer are written ("<name>: Cannot write to stream."). The readers taking an
// out-parameter throw nothing and return whether every byte arrived.
#pragma once

#include <cstdint>

#include "lib/foundation/streams/Stream.h"

bool StreamReadBool(CStream& stream);
bool StreamReadBool(CStream& stream, bool& value);
void StreamWriteBool(CStream& stream, bool value);

uint8_t StreamReadBYTE(CStream& stream);
bool StreamReadBYTE(CStream& stream, uint8_t& value);
void StreamWriteBYTE(CStream& stream, uint8_t value);

uint16_t StreamReadWORD(CStream& stream);
bool StreamReadWORD(CStream& stream, uint16_t& value);
void StreamWriteWORD(CStream& stream, uint16_t value);

int16_t StreamReadShort(CStream& stream);
void StreamWriteShort(CStream& stream, int16_t value);

uint32_t StreamReadDWORD(CStream& stream);
bool StreamReadDWORD(CStream& stream, uint32_t& value);
void StreamWriteDWORD(CStream& stream, uint32_t value);

int32_t StreamReadLong(CStream& stream);
bool StreamReadLong(CStream& stream, int32_t& value);
void StreamWriteLong(CStream& stream, int32_t value);

float StreamReadFloat(CStream& stream);
bool StreamReadFloat(CStream& stream, float& value);
void StreamWriteFloat(CStream& stream, float value);

// Version a.b.c.d packed with a in the high byte.
uint32_t StreamReadVersion(CStream& stream);
bool StreamReadVersion(CStream& stream, uint32_t& value);
void StreamWriteVersion(CStream& stream, uint32_t value);

double StreamReadDouble(CStream& stream);
bool StreamReadDouble(CStream& stream, double& value);
void StreamWriteDouble(CStream& stream, double value);

int64_t StreamReadInt64(CStream& stream);
bool StreamReadInt64(CStream& stream, int64_t& value);
void StreamWriteInt64(CStream& stream, int64_t value);

// A double counting days since 1899-12-30.
double StreamReadDateTime(CStream& stream);
bool StreamReadDateTime(CStream& stream, double& value);
void StreamWriteDateTime(CStream& stream, double value);

S2DF StreamRead2DF(CStream& stream);
bool StreamRead2DF(CStream& stream, S2DF& value);
void StreamWrite2DF(CStream& stream, S2DF value);

S2DD StreamRead2DD(CStream& stream);
bool StreamRead2DD(CStream& stream, S2DD& value);
void StreamWrite2DD(CStream& stream, S2DD value);

SGuid StreamReadGUID(CStream& stream);
bool StreamReadGUID(CStream& stream, SGuid& value);
void StreamWriteGUID(CStream& stream, SGuid value);

// 80-bit extended float, returned as a double.
double StreamReadExtended(CStream& stream);
bool StreamReadExtended(CStream& stream, double& value);

// A 32-bit length and that many characters. A negative length throws
// "StreamReadStr: Invalid string length.", one longer than the bytes left
// throws before anything is allocated.
CStr StreamReadStr(CStream& stream);
bool StreamReadStr(CStream& stream, CStr& value);
void StreamWriteStr(CStream& stream, const CStr& value);

// The header's characters alone, without length or terminator.
bool StreamCheckHeader(CStream& stream, const CStr& expected);
void StreamWriteHeader(CStream& stream, const CStr& header);

// Moves to an absolute position; throws "StreamSeek: Cannot seek in stream."
// when the stream refuses it.
void StreamSeek(CStream& stream, int64_t position);
