// Keeps an instrumented library copy buildable while its original has no sources yet.
