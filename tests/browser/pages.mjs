// The clock's pages in Debian's chromium. Usage: node pages.mjs <step> with BASE_URL (the players' view),
// and for the steps that need them PIN, SHOTS (a folder for screenshots), READY_FILE.
import { chromium } from 'playwright-core';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const base = process.env.BASE_URL;
const shots = process.env.SHOTS || tmpdir();

function check(condition, message) {
  if (!condition) throw new Error(message);
}

async function launch() {
  const profile = mkdtempSync(join(tmpdir(), 'kavro-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    viewport: { width: 390, height: 844 },
  });
  return { context, close: async () => { await context.close(); rmSync(profile, { recursive: true, force: true }); } };
}

async function text(page, id) {
  return (await page.locator(`#${id}`).textContent()).trim();
}

// The clock runs: the time on the phone moves, and title, level and blinds are the clock's.
async function players() {
  const { context, close } = await launch();
  try {
    const page = await context.newPage();
    await page.goto(base);
    await page.waitForFunction(() => /^\d\d:\d\d$/.test(document.getElementById('time').textContent));
    const first = await text(page, 'time');
    await page.waitForFunction((t) => document.getElementById('time').textContent !== t, first, { timeout: 5000 });
    const shown = {
      title: await text(page, 'title'), level: await text(page, 'level'), blinds: await text(page, 'blinds'),
    };
    console.log(`players' view: ${JSON.stringify(shown)}, time ${first} -> ${await text(page, 'time')}`);
    check(shown.title === process.env.EXPECT_TITLE, `title ${shown.title}, expected ${process.env.EXPECT_TITLE}`);
    check(shown.level === process.env.EXPECT_LEVEL, `level ${shown.level}, expected ${process.env.EXPECT_LEVEL}`);
    check(shown.blinds === process.env.EXPECT_BLINDS, `blinds ${shown.blinds}, expected ${process.env.EXPECT_BLINDS}`);
    check(await page.locator('#payouts li').count() > 0, 'no payouts listed');
    check(!(await page.content()).includes(process.env.PIN), 'the PIN is on the players\' view');
    check(await page.locator('#connection').isHidden(), 'the connection notice shows');
    await page.screenshot({ path: join(shots, 'players-phone.png'), fullPage: true });
    const tv = await context.newPage();
    await tv.setViewportSize({ width: 1280, height: 720 });
    await tv.goto(new URL('/tv', base).href);
    await tv.waitForSelector('[data-name="lblBlinds"]');
    check((await tv.locator('[data-name="lblBlinds"]').textContent()) === shown.blinds, 'the TV view shows other blinds');
    await tv.waitForTimeout(500);
    await tv.screenshot({ path: join(shots, 'tv-1280x720.png') });
  } finally {
    await close();
  }
}

// Pairing refuses a wrong PIN and takes the right one; the remote's pause reaches the clock.
async function remote() {
  const { context, close } = await launch();
  try {
    const page = await context.newPage();
    page.on('dialog', (dialog) => dialog.accept());
    await page.goto(new URL('/remote', base).href);
    await page.waitForFunction(() => /^\d\d:\d\d$/.test(document.getElementById('time').textContent));
    check(await page.locator('#commands').isHidden(), 'commands before pairing');
    await page.fill('#pin', '0000');
    await page.click('#pairing button');
    await page.waitForFunction(() => document.getElementById('message').textContent.includes('Wrong PIN'));
    await page.fill('#pin', process.env.PIN);
    await page.click('#pairing button');
    await page.waitForSelector('#commands', { state: 'visible' });
    check(page.url() === new URL('/remote', base).href, `the page moved to ${page.url()}`);
    check(await page.locator('#paused').isHidden(), 'paused before the remote paused');
    await page.click('button[data-command="pause"]');
    await page.waitForSelector('#paused', { state: 'visible', timeout: 3000 });
    await page.screenshot({ path: join(shots, 'remote-phone.png'), fullPage: true });
    console.log('remote: paired, paused');
  } finally {
    await close();
  }
}

// The page says the connection is lost when the clock goes, and comes back by itself when it returns.
async function reconnect() {
  const { context, close } = await launch();
  try {
    const page = await context.newPage();
    await page.goto(base);
    await page.waitForFunction(() => /^\d\d:\d\d$/.test(document.getElementById('time').textContent));
    writeFileSync(process.env.READY_FILE, 'connected\n');
    await page.waitForSelector('#connection', { state: 'visible', timeout: 30000 });
    console.log('reconnect: the page says the connection is lost');
    await page.waitForSelector('#connection', { state: 'hidden', timeout: 60000 });
    const level = await text(page, 'level');
    console.log(`reconnect: back, level ${level}`);
    check(level.length > 0, 'nothing shown after reconnecting');
  } finally {
    await close();
  }
}

const steps = { players, remote, reconnect };
const step = steps[process.argv[2]];
if (!step) {
  console.error(`unknown step ${process.argv[2]}`);
  process.exit(2);
}
step().then(() => process.exit(0), (error) => { console.error(`FAIL: ${error.message}`); process.exit(1); });
