// The clock's pages in Debian's chromium. Usage: node pages.mjs <step> with BASE_URL (the players' view),
// and for the steps that need them PIN, SHOTS (a folder for screenshots), READY_FILE.
import { chromium } from 'playwright-core';
import { createRequire } from 'node:module';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const base = process.env.BASE_URL;
const shots = process.env.SHOTS || tmpdir();

function check(condition, message) {
  if (!condition) throw new Error(message);
}

async function launch(options = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'kavro-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    ...options,
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
    const renamed = await page.evaluate(() => {
      Live.applyColours({ one_two_three: '#123456' });
      return getComputedStyle(document.documentElement).getPropertyValue('--one-two-three').trim();
    });
    check(renamed === '#123456', `a colour named one_two_three set --one-two-three to '${renamed}'`);
    // The night's plan in the clock's words, and on the page as the state gives it.
    const plan = await page.evaluate(() => [
      Live.planTexts({ estimated_end: { level: 14, in: '2:35' }, colour_up: 'Colour up the 25 chips', break: true }),
      Live.planTexts({ estimated_end: null, colour_up: 'Colour up the 25 and 100 chips', break: false }),
      Live.planTexts({ estimated_end: null, colour_up: null }),
    ]);
    check(plan[0].estimatedEnd === 'Estimated end: level 14, in about 2:35', `plan: ${plan[0].estimatedEnd}`);
    check(plan[0].colourUp === 'Colour up: the 25 chips at this break', `colour-up: ${plan[0].colourUp}`);
    check(plan[1].estimatedEnd === '' && plan[1].colourUp === 'Colour up: the 25 and 100 chips at the next break',
      `next break: ${JSON.stringify(plan[1])}`);
    check(plan[2].estimatedEnd === '' && plan[2].colourUp === '', `no plan: ${JSON.stringify(plan[2])}`);
    const live = await page.evaluate(() => [Live.planTexts(Live.state).estimatedEnd,
      document.getElementById('estimated_end').hidden ? '' : document.getElementById('estimated_end').textContent]);
    check(live[0] === live[1], `the page shows '${live[1]}' for the state's '${live[0]}'`);
    console.log(`estimated end on the page: '${live[1]}'`);
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

// While a dialog is open on the clock, the remote's command is refused and the page says why.
async function remoteRefused() {
  const { context, close } = await launch();
  try {
    const page = await context.newPage();
    await page.goto(new URL('/remote', base).href);
    await page.fill('#pin', process.env.PIN);
    await page.click('#pairing button');
    await page.waitForSelector('#commands', { state: 'visible' });
    // The pairing's own message stands until the command's answer replaces it.
    const before = await text(page, 'message');
    await page.click('button[data-command="player_up"]');
    await page.waitForFunction((old) => {
      const now = document.getElementById('message').textContent;
      return now.length > 0 && now !== old;
    }, before);
    const said = await text(page, 'message');
    console.log(`remote with a dialog open: ${said} (before the command: ${before})`);
    check(said === 'the clock has a dialog open', `the remote said '${said}'`);
    await page.screenshot({ path: join(shots, 'remote-dialog-open.png'), fullPage: true });
  } finally {
    await close();
  }
}

// No serious or critical accessibility fault on any page (axe-core, pinned in package.json).
async function accessibility() {
  const axe = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
  // The pages' own policy allows no script but theirs; the checker is let in for this test only.
  const { context, close } = await launch({ bypassCSP: true });
  try {
    let faults = 0;
    for (const [path, ready, viewport] of [
      ['/', '#payouts li', { width: 390, height: 844 }],
      ['/tv', '[data-name="lblBlinds"]', { width: 1280, height: 720 }],
      ['/remote', '#pin', { width: 390, height: 844 }],
    ]) {
      const page = await context.newPage();
      await page.setViewportSize(viewport);
      await page.goto(new URL(path, base).href);
      await page.waitForSelector(ready);
      await page.waitForFunction(() => Live.state !== null);
      await page.waitForTimeout(300);
      await page.addScriptTag({ path: axe });
      const { violations } = await page.evaluate(() => window.axe.run(document, { resultTypes: ['violations'] }));
      for (const v of violations) {
        const serious = v.impact === 'serious' || v.impact === 'critical';
        faults += serious ? 1 : 0;
        console.log(`${path}: ${v.impact} ${v.id} (${v.nodes.length}): ${v.help}` +
          (serious ? ` at ${v.nodes.slice(0, 3).map((n) => n.target.join(' ')).join(', ')}` : ''));
      }
      console.log(`${path}: ${violations.length} violations checked`);
      await page.close();
    }
    check(faults === 0, `${faults} serious or critical accessibility violations`);
  } finally {
    await close();
  }
}

const steps = { players, remote, reconnect, remote_refused: remoteRefused, accessibility };
const step = steps[process.argv[2]];
if (!step) {
  console.error(`unknown step ${process.argv[2]}`);
  process.exit(2);
}
step().then(() => process.exit(0), (error) => { console.error(`FAIL: ${error.message}`); process.exit(1); });
