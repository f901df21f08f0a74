// The page's WebAssembly has no threads (a plain static server gives no
// cross-origin isolation). The core asks how many cores there are before it
// starts helper threads; it hears one, so the calling thread does all the
// work, in the same order and with the same numbers as with helpers.
mergeInto(LibraryManager.library, {
  emscripten_num_logical_cores: function () { return 1; },
});
