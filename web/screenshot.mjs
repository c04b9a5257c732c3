// Saves a picture of the web gallery after a short demonstration (docs/web.png):
//   node web/screenshot.mjs BUILD_DIR OUT.png
import { serve } from "./serve.mjs";
import { launch, newPage } from "./browser.mjs";

const [buildDir, out] = process.argv.slice(2);
if (!buildDir || !out) {
  console.error("usage: node web/screenshot.mjs BUILD_DIR OUT.png");
  process.exit(2);
}
const server = await serve(buildDir);
const browser = await launch();
try {
  const page = await newPage(browser, (message) => console.error(message));
  await page.setViewportSize({ width: 760, height: 720 });
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html`);
  await page.waitForFunction(() => document.getElementById("phone").getProperty("Text") !== undefined);
  await page.click("#amount");
  await page.keyboard.press("End");
  await page.keyboard.type("89");
  await page.click("#phone");
  await page.keyboard.press("Home");
  await page.keyboard.type("2125550199");
  await page.keyboard.press("Enter");
  await page.click("#due");
  await page.keyboard.press("Home");
  await page.screenshot({ path: out, fullPage: true });
  console.log(`saved ${out}`);
} finally {
  await browser.close();
  server.close();
}
