// `entrybox-script --platform web` against the headless reference: the same scripts
// must print the same lines, in the browser as in memory.
import { test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const runner = path.resolve(root, process.env.ENTRYBOX_SCRIPT || "build/tools/entrybox-script/entrybox-script");
const buildDir = path.resolve(root, process.env.ENTRYBOX_WEB_BUILD || "build-web");

function run(args, env = {}) {
  const result = spawnSync(runner, args, {
    cwd: root,
    encoding: "utf8",
    env: { ...process.env, ENTRYBOX_WEB_BUILD: buildDir, ...env },
  });
  return { status: result.status, out: result.stdout, err: result.stderr };
}

const scenarios = readdirSync(path.join(root, "tests/scenarios"))
  .filter((f) => f.endsWith(".tws"))
  .map((f) => `tests/scenarios/${f}`);
const headlessOnly = (f) => readFileSync(path.join(root, f), "utf8").startsWith("#! headless-only");

test("every scenario script and the tour print in the browser what they print headless", () => {
  // One browser for all of them; the outputs follow each other in the same order.
  const files = scenarios.filter((f) => !headlessOnly(f)).concat(["examples/tour.tws"]);
  const headless = run(["run", ...files]);
  const web = run(["--platform", "web", "run", ...files]);
  assert.equal(headless.status, 0, headless.err);
  assert.equal(web.err, headless.err);
  assert.equal(web.out, headless.out);
  assert.equal(web.status, headless.status);
});

test("several scripts in one run: skipped, failing and malformed ones report as headless does", () => {
  const dir = mkdtempSync(path.join(tmpdir(), "entrybox-web-"));
  try {
    writeFileSync(path.join(dir, "a_pass.tws"), 'new long\ntype "12"\nshow\n> field "12" 2 0\n');
    writeFileSync(path.join(dir, "b_skip.tws"), "#! headless-only: a reason\nnew long\n");
    writeFileSync(path.join(dir, "c_fail.tws"), 'new real\ntype "1.5"\nget Text\n> Text "2"\n');
    writeFileSync(path.join(dir, "d_bad.tws"), "new long\nfrobnicate\n");
    const files = ["a_pass", "b_skip", "c_fail", "d_bad"].map((n) => path.join(dir, `${n}.tws`));
    const web = run(["--platform", "web", "check", ...files]);
    assert.equal(web.status, 2);  // the worst: the malformed script
    assert.match(web.out, /a_pass.tws: 3 passed, 0 failed/);
    assert.match(web.out, /b_skip.tws: skipped on the web platform: a reason/);
    assert.match(web.out, /c_fail.tws:4: expected Text "2" got Text "1\.5/);
    assert.match(web.err, /d_bad.tws:2: /);
    const headless = run(["check", files[2]]);
    assert.ok(web.out.includes(headless.out), `${headless.out} not in\n${web.out}`);
    // Only skipped scripts: the skip status.
    assert.equal(run(["--platform", "web", "check", files[1]]).status, 77);
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
});

test("text beyond ASCII, keys without a key and clipboard keys go through the page unchanged", () => {
  const dir = mkdtempSync(path.join(tmpdir(), "entrybox-web-"));
  try {
    const file = path.join(dir, "unicode.tws");
    writeFileSync(file, [
      "new mask",
      'set Mask "&&&&&&"',
      'type "é😀ü"',
      "show",
      "print events",
      "key Home",
      "key Shift+End",
      "key Ctrl+C",
      "print clipboard",
      'clipboard "\\u00DFx"',
      "key End",
      "key Shift+Insert",
      "show",
      "down 86 2",
      "press 22",
      "up 86 2",
      "show",
      "print events",
    ].join("\n") + "\n");
    const headless = run(["run", file]);
    const web = run(["--platform", "web", "run", file]);
    assert.equal(headless.status, 0, headless.err);
    assert.equal(web.out, headless.out);
    assert.equal(web.err, "");
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
});

test("without the web build the runner says where it looked, and fails", () => {
  const web = run(["--platform", "web", "check", scenarios[0]], {
    ENTRYBOX_WEB_BUILD: path.join(tmpdir(), "entrybox-no-such-build"),
  });
  assert.equal(web.status, 2);
  assert.match(web.err, /no web build in .*entrybox-no-such-build/);
  assert.equal(web.out, "");
});
