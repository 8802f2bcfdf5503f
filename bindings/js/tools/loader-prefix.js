// Put before the generated loader: its Node branch reads __dirname, which an ES module lacks.
// index.js hands the loader the .wasm bytes itself, so Node's require() is never reached.
var __dirname =
  typeof process == "object" && process.versions && process.versions.node
    ? decodeURIComponent(new URL(".", import.meta.url).pathname)
    : "";
