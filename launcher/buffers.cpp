// The launcher's two buffers and the block decoder entry that works on
// them; the engine borrows all three through the setup context.
#include "launcher.h"

#include "lzari/block_decoder.h"

uint8_t* g_input;
uint8_t* g_output;
uint32_t g_decodedSize;

BOOL AllocateBuffers(void)
{
    HANDLE hHeap = GetProcessHeap();

    g_input = (uint8_t*)HeapAlloc(hHeap, HEAP_ZERO_MEMORY, kIoBufferSize);
    g_output = (uint8_t*)HeapAlloc(hHeap, HEAP_ZERO_MEMORY, kIoBufferSize);
    return g_input != NULL && g_output != NULL;
}

void FreeBuffers(void)
{
    HANDLE hHeap = GetProcessHeap();

    if (g_input != NULL)
        HeapFree(hHeap, 0, g_input);
    if (g_output != NULL)
        HeapFree(hHeap, 0, g_output);
}

// The decoder reports a size beyond the buffer as 65535, so writing out
// g_decodedSize bytes never reads past the output buffer.
void DecodeEngineBlock(void)
{
    g_decodedSize = LzDecodeBlock(g_input, g_output);
}
