#include "StdcallProbe.h"

#include <vector>

// int zx_call_stdcall(FARPROC function, const uint32_t* arguments, int count, int* stackDelta)
// Pushes the arguments last to first, calls, and measures esp against its
// value before the pushes; esp is then put back whatever the callee did.
extern "C" std::uint32_t zx_call_stdcall(FARPROC, const std::uint32_t*, int, std::int32_t*);
asm(R"(
    .text
    .globl _zx_call_stdcall
_zx_call_stdcall:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    movl %esp, %edi
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  call *8(%ebp)
    movl %esp, %ecx
    subl %edi, %ecx
    movl %edi, %esp
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace abi32 {

StdcallResult CallStdcall(FARPROC function, std::initializer_list<std::uint32_t> arguments)
{
    std::vector<std::uint32_t> words(arguments);
    StdcallResult result{};
    result.value = zx_call_stdcall(function, words.data(), static_cast<int>(words.size()), &result.stackDelta);
    return result;
}

}  // namespace abi32
