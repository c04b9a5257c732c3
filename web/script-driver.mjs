// Runs scenario scripts in headless Chromium for `entrybox-script --platform web`.
//   node web/script-driver.mjs BUILD_DIR
// Requests on standard input: "run|check PATHBYTES TEXTBYTES\n", the path, the script.
// Answers on standard output: "STATUS OUTBYTES ERRBYTES\n", the output, the errors.
// The page (web/script.html) runs each script with the runner compiled to WebAssembly,
// its controls in <input> elements that get DOM keyboard events. Ends with its input.
import { serve } from "./serve.mjs";
import { launch, newPage } from "./browser.mjs";

const [buildDir] = process.argv.slice(2);
if (!buildDir) {
  console.error("usage: node web/script-driver.mjs BUILD_DIR");
  process.exit(2);
}

const server = await serve(buildDir);
const browser = await launch();
const pageErrors = [];
const page = await newPage(browser, (message) => pageErrors.push(message));
await page.goto(`http://127.0.0.1:${server.address().port}/script.html`);
await page.waitForFunction(() => window.entryboxReady === true, null, { timeout: 60000 });

let pending = Buffer.alloc(0);
let busy = Promise.resolve();

// Takes one whole request off the front of `pending`, or null while it is incomplete.
function takeRequest() {
  const newline = pending.indexOf(10);
  if (newline < 0) return null;
  const header = pending.subarray(0, newline).toString("utf8");
  const match = /^(run|check) (\d+) (\d+)$/.exec(header);
  if (!match) throw new Error(`bad request: ${header}`);
  const pathBytes = Number(match[2]);
  const textBytes = Number(match[3]);
  const end = newline + 1 + pathBytes + textBytes;
  if (pending.length < end) return null;
  const request = {
    check: match[1] === "check",
    path: pending.subarray(newline + 1, newline + 1 + pathBytes).toString("utf8"),
    text: pending.subarray(newline + 1 + pathBytes, end).toString("utf8"),
  };
  pending = pending.subarray(end);
  return request;
}

// A script never takes long; one that hangs the page fails instead of the whole run.
const scriptTimeoutMs = 120000;

async function answer(request) {
  let result;
  let timer;
  try {
    const run = page.evaluate(([path, text, check]) => window.runScript(path, text, check), [
      request.path,
      request.text,
      request.check,
    ]);
    const timeout = new Promise((_, reject) => {
      timer = setTimeout(() => reject(new Error("no answer in 120 s")), scriptTimeoutMs);
    });
    result = await Promise.race([run, timeout]);
  } catch (error) {
    result = { status: 2, out: "", err: `${request.path}: the page failed: ${error.message}\n` };
  } finally {
    clearTimeout(timer);
  }
  const errors = pageErrors.splice(0).map((m) => `${request.path}: ${m}\n`).join("");
  if (errors) result.status = Math.max(result.status, 1);
  const out = Buffer.from(result.out, "utf8");
  const err = Buffer.from(result.err + errors, "utf8");
  process.stdout.write(`${result.status} ${out.length} ${err.length}\n`);
  process.stdout.write(out);
  process.stdout.write(err);
}

process.stdin.on("data", (chunk) => {
  pending = Buffer.concat([pending, chunk]);
  busy = busy.then(async () => {
    for (let request = takeRequest(); request; request = takeRequest()) await answer(request);
  });
  busy.catch((error) => {
    console.error(`script driver: ${error.message}`);
    process.exit(2);
  });
});
process.stdin.on("end", async () => {
  await busy;
  await browser.close();
  server.close();
});
