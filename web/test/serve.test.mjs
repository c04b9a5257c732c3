// The page's server hands out the page and the module, and nothing else of the machine.
import { test } from "node:test";
import assert from "node:assert/strict";
import http from "node:http";
import path from "node:path";
import { fileURLToPath } from "node:url";
import { serve } from "../serve.mjs";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const buildDir = path.resolve(root, process.env.ENTRYBOX_WEB_BUILD || "build-web");

// A raw GET, so that "..", "%2e%2e" and the like reach the server as written.
function get(port, target) {
  return new Promise((resolve, reject) => {
    const request = http.request({ host: "127.0.0.1", port, path: target, method: "GET" }, (response) => {
      response.resume();
      response.on("end", () => resolve({ status: response.statusCode, type: response.headers["content-type"] }));
    });
    request.on("error", reject);
    // A server that never answers fails the test instead of hanging it.
    request.setTimeout(10000, () => request.destroy(new Error(`no answer for ${target}`)));
    request.end();
  });
}

test("serves the page and the module with their types, refuses everything outside", async () => {
  const server = await serve(buildDir);
  const port = server.address().port;
  try {
    assert.deepEqual(await get(port, "/"), { status: 200, type: "text/html; charset=utf-8" });
    assert.equal((await get(port, "/build/entrybox.wasm")).type, "application/wasm");
    assert.equal((await get(port, "/elements.js")).status, 200);
    for (const target of ["/../README.md", "/%2e%2e/README.md", "/build/../../README.md",
      "/build/%2e%2e/CMakeCache.txt/../../README.md", "/node_modules/playwright-core/package.json",
      "/no-such-file.html", "/%00", "/%E0%A4%A"]) {
      assert.equal((await get(port, target)).status, 404, target);
    }
  } finally {
    server.close();
  }
});
