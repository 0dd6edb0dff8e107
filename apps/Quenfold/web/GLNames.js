// Emscripten's GL layer names every new GL object with a number never used
// before and grows each table of objects up to it, so a page that opens the
// demo again and again keeps ever longer runs of empty slots (about 4 kB each
// time the demo opens). A name is taken as a GL driver takes it: the lowest
// free one of its kind. GL.counter stays above every name given, as the
// layer's checks of a name expect.
GL.getNewId = function (table) {
  if (table.length === 0)
    table.push(null); // 0 names no object
  var id = 1;
  while (id < table.length && table[id])
    ++id;
  GL.counter = Math.max(GL.counter, id + 1);
  return id;
};
