#pragma once

namespace parvo {

// Makes every thread of the program allocate from one heap. The bar's threads read folders
// and files now and then, seldom two at once; with a heap of its own for each (the C
// library's default), each heap keeps what its thread once touched, and the bar grows with
// every menu opened until there are as many heaps as the library allows. Called first
// thing, before any thread starts.
void UseOneHeap();

} // namespace parvo
