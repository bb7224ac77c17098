/* Stack-balance checks of the C hosts: BALANCED(name, call) makes the call
 * and, when the stack pointer differs afterwards (a callee that popped more
 * or fewer bytes than its arguments), stores name in g_Unbalanced, which the
 * including file defines. The check reads the stack pointer on 32-bit x86
 * only; elsewhere it never fires. */
#ifndef TDLIB_TESTS_HOST_STACK_BALANCE_H
#define TDLIB_TESTS_HOST_STACK_BALANCE_H

#include <stdint.h>

#if defined(_M_IX86) || defined(__i386__)
#define READ_SP(v) __asm__ volatile("movl %%esp, %0" : "=r"(v))
#else
#define READ_SP(v) ((v) = 0)
#endif

#define BALANCED(name, call)                    \
  do {                                          \
    uintptr_t before_, after_;                  \
    READ_SP(before_);                           \
    call;                                       \
    READ_SP(after_);                            \
    if (before_ != after_) g_Unbalanced = name; \
  } while (0)

#endif
