// Shared by the browser tests, the screenshot script and the load-time bench: where the built
// page and the native tool are, a headless Chromium that downloads nothing, and the tool's
// answers for the same inputs.
import { spawnSync } from "node:child_process";
import { existsSync, mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

const CHROMIUM_FLAGS = [
  "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
];

function required(variable, what) {
  const path = process.env[variable];
  if (!path) throw new Error(`${variable} must name ${what} (scripts/test-web sets it)`);
  if (!existsSync(path)) throw new Error(`${variable}: ${path} does not exist`);
  return resolve(path);
}

/** The built page (CORVIXMATH_PAGE) as a file: URL. */
export const pageUrl = () => pathToFileURL(required("CORVIXMATH_PAGE", "the built playground.html")).href;
/** The native tool (CORVIXMATH_TOOL). */
export const toolPath = () => required("CORVIXMATH_TOOL", "the native corvixmath tool");

/** Headless Chromium with a fresh, empty profile that close() removes. */
export async function launch() {
  const profile = mkdtempSync(join(tmpdir(), "corvixmath-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CORVIXMATH_CHROMIUM ?? "/usr/bin/chromium",
    headless: true,
    userDataDir: profile,
    args: CHROMIUM_FLAGS,
  });
  return {
    browser,
    async close() {
      await browser.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

/** Opens the page and waits until its library is ready; page errors fail the caller. */
export async function openPage(browser, { width = 1100, height = 900 } = {}) {
  const page = await browser.newPage();
  const errors = [];
  page.on("pageerror", (error) => errors.push(error.message));
  page.on("requestfailed", (request) => errors.push(`request failed: ${request.url().slice(0, 80)}`));
  page.on("request", (request) => {
    if (!/^(file|data|blob):/.test(request.url())) errors.push(`network request: ${request.url()}`);
  });
  await page.setViewport({ width, height });
  await page.goto(pageUrl());
  await page.waitForFunction(() => document.getElementById("status").dataset.state !== "loading");
  const state = await page.$eval("#status", (status) => status.dataset.state);
  if (state !== "ready") throw new Error(`the page did not get ready: ${await page.$eval("#status", (s) => s.textContent)}`);
  page.errors = errors;
  return page;
}

/** Replaces what an input holds by typing, as a user would. */
export async function typeInto(page, id, text) {
  await page.click(`#${id}`, { clickCount: 3 });
  await page.keyboard.down("Control");
  await page.keyboard.press("a");
  await page.keyboard.up("Control");
  await page.keyboard.press("Backspace");
  if (text !== "") await page.type(`#${id}`, text);
}

/** Pastes a text into a field at once (one input event), as a paste does. */
export async function pasteInto(page, id, text) {
  await page.$eval(`#${id}`, (field, value) => {
    field.value = value;
    field.dispatchEvent(new Event("input", { bubbles: true }));
  }, text);
}

export const textOf = (page, selector) => page.$eval(selector, (element) => element.textContent);

/** Runs the native tool: {status, stdout, stderr}. */
export function tool(args, input) {
  const run = spawnSync(toolPath(), args, { input, encoding: "utf8" });
  if (run.error) throw run.error;
  return { status: run.status, stdout: run.stdout, stderr: run.stderr };
}
