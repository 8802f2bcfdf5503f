#!/usr/bin/env node
// Builds the self-contained playground page: the template with the style sheet and the page
// script inlined, and an import map that gives the script its modules as data: URLs (the
// library's single-file module and the corvixmath tool's, each with its WebAssembly, and the
// page's helpers), so the page needs no server and nothing from the network.
//
//   node build-page.mjs TEMPLATE STYLE SCRIPT PACKAGE_ENTRY TOOL_MODULE OUTPUT
import { readFileSync, writeFileSync } from "node:fs";
import { dirname, join, resolve } from "node:path";

const RELATIVE_IMPORT = /(\bfrom\s*|\bimport\s*\(\s*|\bimport\s+)(["'])(\.{1,2}\/[^"']+)\2/g;

/** A module and every module it imports by a relative path, as one data: URL. */
export function moduleUrl(path, cache = new Map(), visiting = new Set()) {
  const file = resolve(path);
  if (cache.has(file)) return cache.get(file);
  if (visiting.has(file)) throw new Error(`${file} imports itself through a cycle; it cannot be inlined`);
  visiting.add(file);
  const source = readFileSync(file, "utf8").replace(RELATIVE_IMPORT, (_, keyword, quote, target) =>
    `${keyword}${quote}${moduleUrl(join(dirname(file), target), cache, visiting)}${quote}`
  );
  visiting.delete(file);
  const url = `data:text/javascript;charset=utf-8,${encodeURIComponent(source)}`;
  cache.set(file, url);
  return url;
}

function inlineText(text, what) {
  // Inside a <style> or <script> element only its own end tag would end it early.
  if (/<\/(script|style)/i.test(text)) throw new Error(`${what} holds a closing tag and cannot be inlined`);
  return text;
}

function main([template, style, script, packageEntry, toolModule, output]) {
  if (!output) {
    console.error("usage: build-page.mjs TEMPLATE STYLE SCRIPT PACKAGE_ENTRY TOOL_MODULE OUTPUT");
    process.exit(2);
  }
  const scriptDir = dirname(resolve(script));
  const helpers = readFileSync(script, "utf8").matchAll(/from\s*"(\.\/[^"]+)"/g);
  const imports = { corvixmath: moduleUrl(packageEntry), "corvixmath-tool": moduleUrl(toolModule) };
  for (const [, target] of helpers) imports[target] = moduleUrl(join(scriptDir, target));
  const page = readFileSync(template, "utf8")
    .replace("@PLAYGROUND_STYLE@", () => inlineText(readFileSync(style, "utf8").trimEnd(), style))
    .replace("@PLAYGROUND_IMPORT_MAP@", () => JSON.stringify({ imports }, null, 1))
    .replace("@PLAYGROUND_SCRIPT@", () => inlineText(readFileSync(script, "utf8").trimEnd(), script));
  const left = page.match(/@PLAYGROUND_[A-Z_]+@/);
  if (left) throw new Error(`the template holds ${left[0]}, which nothing fills`);
  writeFileSync(output, page);
}

if (import.meta.url === `file://${resolve(process.argv[1])}`) main(process.argv.slice(2));
