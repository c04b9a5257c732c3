// The custom elements in a real browser (headless Chromium): the page web/index.html,
// driven with Chromium's own keyboard and mouse input (trusted events, the browser's
// clipboard), as a user would.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { serve } from "../serve.mjs";
import { launch, newPage } from "../browser.mjs";

const buildDir = process.env.ENTRYBOX_WEB_BUILD || "build-web";
let server;
let browser;
let page;
let pageErrors;

before(async () => {
  server = await serve(buildDir);
  browser = await launch();
});

after(async () => {
  await browser?.close();
  server?.close();
});

// A fresh gallery page for each test, with every element's control made.
async function openGallery() {
  pageErrors = [];
  page = await newPage(browser, (message) => pageErrors.push(message));
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html`);
  await page.waitForFunction(() =>
    [...document.querySelectorAll("form entry-long, form entry-real, form entry-date, form entry-mask")]
      .every((e) => e.getProperty("Text") !== undefined));
}

const value = (id) => page.$eval(`#${id}`, (e) => e.value);
const shown = (id) => page.$eval(`#${id}`, (e) => e.shadowRoot.querySelector("input").value);
const logLines = () => page.$eval("#log", (e) => e.textContent.trim().split("\n"));

test("typing: keys go through the control, the element shows its text and fires input", async () => {
  await openGallery();
  await page.click("#amount");
  await page.keyboard.press("End");
  await page.keyboard.type("89x");  // the long box refuses the letter
  assert.equal(await value("amount"), "123456789");
  assert.equal(await shown("amount"), "123,456,789");
  const log = await logLines();
  // The host sees each key after the control has taken it (KeyPress 0).
  for (const line of ["amount: KeyDown(56,0)", "amount: KeyDown(88,0)", "amount: KeyUp(88,0)"]) {
    assert.ok(log.includes(line), `${line} not in\n${log.join("\n")}`);
  }
  // Backspace and the caret keys are the field's own, as on every platform.
  await page.keyboard.press("Backspace");
  await page.keyboard.press("Home");
  await page.keyboard.press("Delete");
  assert.equal(await shown("amount"), "2,345,678");
  assert.deepEqual(pageErrors, []);
});

test("typing: change fires when the user leaves a field he changed, not before", async () => {
  await openGallery();
  await page.evaluate(() => {
    window.changes = 0;
    document.getElementById("amount").addEventListener("change", () => ++window.changes);
  });
  await page.click("#amount");
  await page.click("#phone");  // visited, not changed
  await page.click("#amount");
  await page.keyboard.press("End");
  await page.keyboard.type("7");
  assert.equal(await page.evaluate(() => window.changes), 0);
  await page.click("#phone");
  assert.equal(await page.evaluate(() => window.changes), 1);
  assert.equal(await value("amount"), "12345677");
});

test("paste: the browser's clipboard reaches the control through the paste event", async () => {
  await openGallery();
  // Put a text on the browser's clipboard the way a user does: copy it from a field.
  await page.evaluate(() => {
    const source = document.createElement("input");
    source.id = "source";
    source.value = "4,321";
    document.body.append(source);
  });
  await page.click("#source");
  await page.keyboard.press("Control+A");
  await page.keyboard.press("Control+C");
  await page.click("#amount");
  await page.keyboard.press("Home");
  await page.keyboard.press("Shift+End");
  await page.keyboard.press("Control+V");
  assert.equal(await value("amount"), "4321");
  assert.equal(await shown("amount"), "4,321");
  // Copy out of the control: what the long box copies (its number, without the
  // grouping) goes to the browser's clipboard.
  await page.keyboard.press("Home");
  await page.keyboard.press("Shift+End");
  await page.keyboard.press("Control+C");
  await page.click("#source");
  await page.keyboard.press("Control+A");
  await page.keyboard.press("Backspace");
  await page.keyboard.press("Control+V");
  assert.equal(await page.$eval("#source", (e) => e.value), "4321");
  assert.deepEqual(pageErrors, []);
});

test("submit: Enter submits the form, whose data holds each control's Text", async () => {
  await openGallery();
  await page.click("#phone");
  await page.keyboard.press("Enter");
  const data = await page.$eval("#data", (e) => e.textContent);
  assert.equal(data, ['amount="1234567"', 'price="-1234.50"', 'due="12/25/2024"',
    'phone="5551234567"'].join("\n"));
});

test("submit: a required control left empty blocks the form", async () => {
  await openGallery();
  await page.click("#phone");
  await page.keyboard.press("Home");
  await page.keyboard.press("Shift+End");
  await page.keyboard.press("Delete");
  assert.equal(await value("phone"), "");
  assert.equal(await shown("phone"), "(___) ___-____");
  assert.equal(await page.$eval("#phone", (e) => e.validity.valueMissing), true);
  await page.click("button[type=submit]");
  assert.equal(await page.$eval("#data", (e) => e.textContent), "");
  // Typed in again, the form goes.
  await page.click("#phone");
  await page.keyboard.press("Home");
  await page.keyboard.type("5550001111");
  await page.click("button[type=submit]");
  assert.match(await page.$eval("#data", (e) => e.textContent), /phone="5550001111"/);
});

test("reset: the form's reset puts back each control's initial value", async () => {
  await openGallery();
  await page.click("#due");
  await page.keyboard.press("End");
  await page.keyboard.press("Backspace");
  await page.click("#amount");
  await page.keyboard.type("5");
  assert.notEqual(await value("amount"), "1234567");
  await page.click("button[type=reset]");
  assert.equal(await value("amount"), "1234567");
  assert.equal(await value("due"), "12/25/2024");
  assert.ok((await logLines()).includes("form: reset"));
});

test("attributes: set the control's properties and follow later changes", async () => {
  await openGallery();
  const read = (id, name) => page.$eval(`#${id}`, (e, n) => e.getProperty(n), name);
  assert.equal(await read("amount", "Max"), 999999999);
  assert.equal(await read("price", "DecimalPlaces"), 2);
  assert.equal(await read("phone", "Mask"), "(###) ###-####");
  assert.equal(await page.$eval("#due", (e) => e.shadowRoot.querySelector("button").hidden), false);
  await page.$eval("#amount", (e) => e.setAttribute("read-only", ""));
  assert.equal(await read("amount", "ReadOnly"), true);
  await page.click("#amount");
  await page.keyboard.type("9");
  assert.equal(await value("amount"), "1234567");
  // A value the control refuses is reported, and loses nothing.
  const errors = await page.$eval("#amount", (e) => {
    const seen = [];
    e.addEventListener("entryboxerror", (ev) => seen.push(ev.detail.message));
    e.setAttribute("max", "abc");
    return seen;
  });
  assert.equal(errors.length, 1);
  assert.equal(await read("amount", "Max"), 999999999);
});

test("about box: the control's AboutBox shows the page's dialog with its caption", async () => {
  await openGallery();
  await page.click("#about");
  const dialog = await page.$eval("dialog[open]", (d) => d.textContent);
  assert.match(dialog, /entrybox/);
  await page.click("dialog[open] button");
  assert.equal(await page.$("dialog[open]"), null);
});

test("drop-down: the date box's button opens the browser's date picker, whose choice it takes", async () => {
  await openGallery();
  await page.evaluate(() => {
    window.buttonClicks = 0;
    document.getElementById("due").addEventListener("buttonclick", () => ++window.buttonClicks);
  });
  await page.click("#due >> css=button");
  assert.equal(await page.evaluate(() => window.buttonClicks), 1);
  const picker = await page.$eval("#due", (e) => {
    const p = e.shadowRoot.querySelector("input[type=date]");
    const shown = p.value;
    p.value = "2025-02-28";
    p.dispatchEvent(new Event("change"));
    return shown;
  });
  assert.equal(picker, "2024-12-25");
  assert.equal(await value("due"), "2/28/2025");
});

test("keys: Chromium's own key events map to the codes of a US keyboard, as headless", async () => {
  await openGallery();
  await page.evaluate(() => {
    const e = document.createElement("entry-mask");
    e.id = "free";
    e.setAttribute("mask", "&&&&&&&&&&");
    document.body.append(e);
    window.keys = [];
    e.addEventListener("entrybox", (ev) => {
      if (ev.detail.name === "KeyDown") window.keys.push(ev.detail.args.join(","));
    });
  });
  await page.waitForFunction(() => document.getElementById("free").getProperty("Text") !== undefined);
  await page.click("#free");
  await page.keyboard.press("Home");
  await page.evaluate(() => (window.keys = []));
  // ";" and "!" have keys (186; Shift with 49); "é" and "😀" have none: they arrive as
  // text, the emoji as its two UTF-16 code units. (Playwright's type() sends capitals
  // without Shift; a user holds it.)
  await page.keyboard.type("a;");
  await page.keyboard.press("Shift+KeyB");
  await page.keyboard.press("Shift+Digit1");
  await page.keyboard.type("é😀");
  assert.equal(await value("free"), "a;B!é😀");
  // The Shift key itself sends its KeyDown (16), as on the desktop and in Qt.
  assert.deepEqual(await page.evaluate(() => window.keys),
    ["65,0", "186,0", "16,1", "66,1", "16,1", "49,1"]);
  // Alt with a letter types nothing; the disabled element takes no keys at all.
  await page.keyboard.press("Alt+x");
  assert.equal(await value("free"), "a;B!é😀");
  await page.$eval("#free", (e) => e.setAttribute("disabled", ""));
  await page.keyboard.type("zz");
  assert.equal(await value("free"), "a;B!é😀");
  assert.deepEqual(pageErrors, []);
});
