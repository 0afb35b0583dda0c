// Emscripten JavaScript library: SDL built outside Emscripten's own port calls these runtime
// helpers from its JavaScript without declaring them; this entry pulls them in.
mergeInto(LibraryManager.library, {
  tessarion_sdl_helpers__deps: ['$autoResumeAudioContext', '$dynCall'],
  tessarion_sdl_helpers: function () {},
});
