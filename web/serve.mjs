// A small static server for the page and the built module:
//   /          the files of web/ (index.html, elements.js, ...)
//   /build/    the web build's files (entrybox.js, entrybox.wasm, ...)
// Run as a program: node web/serve.mjs BUILD_DIR [PORT] serves at http://127.0.0.1:PORT/.
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import path from "node:path";
import { fileURLToPath } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
const types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".mjs": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".wasm": "application/wasm",
  ".png": "image/png",
  ".json": "application/json",
};

/// Starts serving on 127.0.0.1:`port` (0: any free port); resolves to the server.
export function serve(buildDir, port = 0) {
  const roots = [
    ["/build/", path.resolve(buildDir)],
    ["/", here],
  ];
  const server = createServer(async (request, response) => {
    let pathname;
    try {
      pathname = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
    } catch {
      pathname = "";  // a malformed address: not found
    }
    if (pathname === "/") pathname = "/index.html";
    for (const [prefix, root] of roots) {
      if (!pathname.startsWith(prefix)) continue;
      const file = path.resolve(root, "." + pathname.slice(prefix.length - 1));
      // Nothing outside the served folders, and nothing of the Node packages.
      if (!file.startsWith(root + path.sep) || file.includes(`${path.sep}node_modules${path.sep}`)) {
        break;
      }
      try {
        const body = await readFile(file);
        response.writeHead(200, {
          "content-type": types[path.extname(file)] || "application/octet-stream",
          "cache-control": "no-store",
        });
        response.end(body);
        return;
      } catch {
        break;
      }
    }
    response.writeHead(404, { "content-type": "text/plain" });
    response.end("not found\n");
  });
  return new Promise((resolve, reject) => {
    server.once("error", reject);
    server.listen(port, "127.0.0.1", () => resolve(server));
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [buildDir, port = "8080"] = process.argv.slice(2);
  if (!buildDir) {
    console.error("usage: node web/serve.mjs BUILD_DIR [PORT]");
    process.exit(2);
  }
  const server = await serve(buildDir, Number(port));
  console.log(`entrybox on the web: http://127.0.0.1:${server.address().port}/`);
}
