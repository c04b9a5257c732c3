// Headless Chromium for the tests: Debian's /usr/bin/chromium (never a downloaded
// browser), a fresh empty profile, nothing that talks to the network by itself.
import { chromium } from "playwright-core";

export const chromiumPath = process.env.ENTRYBOX_CHROMIUM || "/usr/bin/chromium";

/// Launches the browser; playwright gives it a new empty user-data-dir.
export function launch() {
  return chromium.launch({
    executablePath: chromiumPath,
    headless: true,
    args: [
      "--headless",
      "--no-sandbox",
      "--disable-gpu",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
      "--no-first-run",
    ],
  });
}

/// A new page whose script errors and console errors go to `report`.
export async function newPage(browser, report) {
  const context = await browser.newContext({ locale: "en-US", timezoneId: "UTC" });
  const page = await context.newPage();
  page.on("pageerror", (error) => report(`page error: ${error.message}`));
  page.on("console", (message) => {
    if (message.type() === "error") report(`console: ${message.text()}`);
  });
  return page;
}
