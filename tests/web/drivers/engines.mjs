// The three browser engines the page is checked in, behind one small seam:
// - Chromium, headless, through Playwright;
// - Firefox ESR under a private Xvfb (headless it has no WebGL here), over
//   WebDriver BiDi through puppeteer-core: Playwright cannot drive a stock Firefox;
// - WebKitGTK's MiniBrowser under a private Xvfb, through WebKitWebDriver
//   (W3C WebDriver) and selenium-webdriver.
// launchEngine(name) gives { name, open(url), close() }; a tab from open()
// has evaluate, waitFor, press, click, text, picture, resize and close, tap where the
// driver can touch (Firefox; Chromium's touch screen is touch.test.mjs's), and
// the errors the page threw or logged, where the engine tells them (null where not).

import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import { createServer } from 'node:net';
import { PNG } from 'pngjs';
import puppeteer from 'puppeteer-core';
import { Builder, By, Key } from 'selenium-webdriver';
import { keepErrors, launchChromium } from './page_session.mjs';
import { startXvfb } from './xvfb.mjs';

export const engineNames = ['chromium', 'firefox', 'webkit'];

export const viewport = { width: 800, height: 900 };

// What every engine's tab does alike, on top of its own evaluate.
function tab(own) {
  return {
    ...own,
    // Through a navigation too: a page on its way answers nothing.
    async waitFor(fn, arg, timeout = 60000) {
      for (const end = Date.now() + timeout; !(await own.evaluate(fn, arg).catch(() => false));) {
        if (Date.now() > end)
          throw new Error(`waited ${timeout} ms for ${fn}`);
        await new Promise(resolve => setTimeout(resolve, 20));
      }
    },
    text: selector => own.evaluate(s => document.querySelector(s).textContent, selector),
    picture: async () => PNG.sync.read(await own.canvasPng()),
  };
}

// Playwright and puppeteer pages are alike enough for one tab.
function scriptedTab(page, canvasPng, resize) {
  return tab({
    resize,
    errors: keepErrors(page),
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    press: key => page.keyboard.press(key),
    click: selector => page.click(selector),
    canvasPng,
    close: () => page.close(),
  });
}

async function chromium() {
  const browser = await launchChromium();
  const context = await browser.newContext({ viewport });  // one for all tabs: a new one each costs time
  return {
    async open(url) {
      const page = await context.newPage();
      const opened = scriptedTab(page, () => page.locator('#canvas').screenshot(),
                                 (width, height) => page.setViewportSize({ width, height }));
      await page.goto(url);
      return opened;
    },
    close: () => browser.close(),
  };
}

async function firefox() {
  const screen = await startXvfb();
  const browser = await puppeteer.launch({
    browser: 'firefox', executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr', headless: false,
    env: { ...process.env, DISPLAY: screen.display },
  }).catch(error => { screen.stop(); throw error; });
  return {
    async open(url) {
      const page = await browser.newPage();
      await page.setViewport(viewport);
      const opened = scriptedTab(page, async () => (await page.$('#canvas')).screenshot(),
                                 (width, height) => page.setViewport({ width, height }));
      opened.tap = selector => page.tap(selector);  // a touch, over BiDi's input actions
      await page.goto(url);
      return opened;
    },
    close: () => browser.close().finally(screen.stop),
  };
}

const freePort = () => new Promise(resolve => {
  const probe = createServer().listen(0, '127.0.0.1', () => {
    const { port } = probe.address();
    probe.close(() => resolve(port));
  });
});

// WebDriver's names for the keys the tests press by name.
const webDriverKeys = {
  Backspace: Key.BACK_SPACE, Escape: Key.ESCAPE, Tab: Key.TAB, Enter: Key.ENTER, Delete: Key.DELETE,
  ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN, ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT, F1: Key.F1,
};

// Where Debian's libwebkit2gtk-4.1-0 puts MiniBrowser on this machine.
const miniBrowser = () => ['x86_64-linux-gnu', 'aarch64-linux-gnu', 'i386-linux-gnu']
  .map(triplet => `/usr/lib/${triplet}/webkit2gtk-4.1/MiniBrowser`).find(existsSync);

// MiniBrowser has one window: each open() loads the page afresh in it.
async function webkit() {
  const screen = await startXvfb();
  const port = await freePort();
  const server = spawn(process.env.WEBKIT_WEBDRIVER || '/usr/bin/WebKitWebDriver', [`--port=${port}`],
                       { stdio: 'ignore', env: { ...process.env, DISPLAY: screen.display } });
  const stop = () => { server.kill(); screen.stop(); };
  const driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
    browserName: 'MiniBrowser',
    'webkitgtk:browserOptions': {
      binary: process.env.MINIBROWSER || miniBrowser(),
      args: ['--automation'],
    },
  }).build().catch(error => { stop(); throw error; });
  await driver.manage().window().setRect(viewport);
  const evaluate = (fn, arg) => driver.executeScript(`return (${fn})(arguments[0]);`, arg);
  return {
    async open(url) {
      await driver.get('about:blank');  // a new hash alone would not load the page again
      await driver.get(url);
      return tab({
        errors: null,
        evaluate,
        press: key => driver.actions().sendKeys(webDriverKeys[key] ?? key).perform(),
        click: async selector => driver.findElement(By.css(selector)).click(),
        // The window's size, less what its frame takes, is the viewport's.
        async resize(width, height) {
          const frame = await evaluate(() => [outerWidth - innerWidth, outerHeight - innerHeight]);
          await driver.manage().window().setRect({ width: width + frame[0], height: height + frame[1] });
        },
        // Its element screenshots leave a WebGL canvas black: the window's,
        // cropped, once a scroll (the page's own after the answer, or this
        // one) has been painted.
        async canvasPng() {
          const box = await evaluate(async () => {
            canvas.scrollIntoView({ block: 'nearest' });
            await new Promise(painted => requestAnimationFrame(() => requestAnimationFrame(painted)));
            const { x, y, width, height } = canvas.getBoundingClientRect();
            return [x, y, width, height].map(v => Math.round(v * devicePixelRatio));
          });
          const shot = PNG.sync.read(Buffer.from(await driver.takeScreenshot(), 'base64'));
          const crop = new PNG({ width: box[2], height: box[3] });
          PNG.bitblt(shot, crop, box[0], box[1], box[2], box[3], 0, 0);
          return PNG.sync.write(crop);
        },
        close: async () => {},
      });
    },
    close: () => driver.quit().finally(stop),
  };
}

const launchers = { chromium, firefox, webkit };

export async function launchEngine(name) {
  return { name, ...(await launchers[name]()) };
}
