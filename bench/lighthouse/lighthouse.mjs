// Lighthouse's scores for the page, served gzipped by the project's own
// server, on its mobile and desktop settings, in Debian's Chromium.
// Usage: node bench/lighthouse/lighthouse.mjs SITE_FOLDER   (bash scripts/bench.sh --lighthouse)

import * as chromeLauncher from 'chrome-launcher';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';
import { chromiumEnvironment, chromiumFlags, chromiumPath } from '../../tests/web/drivers/chromium.mjs';
import { serveSite } from '../../src/web/tools/serve_site.mjs';

const runs = 2;
const categories = ['performance', 'accessibility', 'best-practices'];
// The least score each category is to reach, best of the runs, by form factor.
const goals = {
  mobile: { performance: 95, accessibility: 100, 'best-practices': 100 },
  desktop: { performance: 98, accessibility: 100, 'best-practices': 100 },
};
const { server, url } = await serveSite(process.argv[2]);
const chrome = await chromeLauncher.launch({
  chromePath: chromiumPath,
  chromeFlags: ['--headless=new', ...chromiumFlags],
  envVars: chromiumEnvironment(),
});
try {
  for (const [form, config] of [['mobile', undefined], ['desktop', desktopConfig]]) {
    const best = {};
    for (let run = 1; run <= runs; run++) {
      const result = await lighthouse(url, { port: chrome.port, onlyCategories: categories, logLevel: 'error' }, config);
      const { categories: scores, audits } = result.lhr;
      for (const c of categories)
        best[c] = Math.max(best[c] ?? 0, Math.round(scores[c].score * 100));
      const summary = categories.map(c => `${c} ${Math.round(scores[c].score * 100)}`).join(', ');
      // Performance is told by its score; the other categories by what failed.
      const failed = ['accessibility', 'best-practices'].flatMap(c => scores[c].auditRefs)
        .filter(ref => ref.weight > 0 && audits[ref.id].score !== null && audits[ref.id].score < 1)
        .map(ref => ref.id);
      console.log(`${form} run ${run}: ${summary}; first contentful paint ${audits['first-contentful-paint'].displayValue}, ` +
                  `total blocking time ${audits['total-blocking-time'].displayValue}` +
                  (failed.length ? `; failed: ${failed.join(', ')}` : ''));
    }
    for (const c of categories) {
      const goal = goals[form][c];
      console.log(`${form} ${c}, best of ${runs}: ${best[c]} (goal: ${goal} or more; ` +
                  `${best[c] >= goal ? 'met' : 'not met'})`);
    }
  }
} finally {
  chrome.kill();
  server.close();
}
