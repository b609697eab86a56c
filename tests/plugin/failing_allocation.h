// Fault injection for the plug-in tests: the global allocation functions of the test program,
// which can be told to fail one chosen allocation with std::bad_alloc.
#ifndef TRUV_TESTS_PLUGIN_FAILING_ALLOCATION_H
#define TRUV_TESTS_PLUGIN_FAILING_ALLOCATION_H

/// The number of allocations made so far through operator new, in all threads.
long AllocationCount();

/// Makes the allocation that brings AllocationCount() to `count` throw std::bad_alloc; 0
/// makes none fail.
void FailAllocationAt(long count);

#endif  // TRUV_TESTS_PLUGIN_FAILING_ALLOCATION_H
